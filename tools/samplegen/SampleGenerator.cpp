#include "tools/samplegen/SampleGenerator.h"

#include "editor/NovelData.h"
#include "editor/NovelDocument.h"
#include "tools/samplegen/ImageFiles.h"
#include "tools/samplegen/SampleNovel.h"
#include "tools/samplegen/SamplePictures.h"
#include "tools/samplegen/SampleSounds.h"
#include "tools/samplegen/SoundFiles.h"

#include <fstream>
#include <stdexcept>

namespace miravo::samplegen {

namespace {

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.generic_string());
}

} // namespace

const std::vector<SampleAsset>& SampleAssets() {
    static const std::vector<SampleAsset> assets = {
        {"bg\\corridor.jpg", [] { return EncodeJpeg(PaintCorridor(), 88); }},
        {"bg\\library.bmp", [] { return EncodeBmp(PaintLibrary()); }},
        {"bg\\sunset.png", [] { return EncodePng(PaintSunset(), false); }},
        {"bg\\night.jpg", [] { return EncodeJpeg(PaintNight(), 88); }},
        {"chara\\haru.png", [] { return EncodePng(PaintHaru(false), true); }},
        {"chara\\haru_smile.png", [] { return EncodePng(PaintHaru(true), true); }},
        {"window\\message.png", [] { return EncodePng(PaintMessageWindow(), true); }},
        {"window\\diary.png", [] { return EncodePng(PaintDiaryWindow(), true); }},
        {"system\\logo.png", [] { return EncodePng(PaintLogo(), true); }},
        {"system\\title.jpg", [] { return EncodeJpeg(PaintTitle(), 90); }},
        {"bgm\\afternoon.ogg", [] { return EncodeOggVorbis(ComposeAfternoon(), 0.3f, 1); }},
        {"bgm\\evening.wav", [] { return EncodeWave(ComposeEvening()); }},
        {"bgm\\title.ogg", [] { return EncodeOggVorbis(ComposeTitle(), 0.3f, 2); }},
        {"se\\door.wav", [] { return EncodeWave(MakeDoor()); }},
        {"se\\chime.wav", [] { return EncodeWave(MakeChime()); }},
        {"se\\page.ogg", [] { return EncodeOggVorbis(MakePageTurn(), 0.4f, 3); }},
        {"se\\steps.wav", [] { return EncodeWave(MakeFootsteps()); }},
    };
    return assets;
}

std::filesystem::path AssetPath(const std::filesystem::path& folder, const std::string& relative) {
    std::filesystem::path path = folder;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = relative.find('\\', start);
        path /= relative.substr(start, end - start);
        if (end == std::string::npos)
            return path;
        start = end + 1;
    }
}

std::vector<std::filesystem::path> GenerateSample(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> written;
    for (const SampleAsset& asset : SampleAssets()) {
        written.push_back(AssetPath(folder, asset.relativePath));
        WriteFile(written.back(), asset.encode());
    }
    CNovelModel model;
    BuildSampleNovel(model);
    written.push_back(folder / kSampleNovelFileName);
    SaveNovelFile(model, written.back());
    return written;
}

} // namespace miravo::samplegen
