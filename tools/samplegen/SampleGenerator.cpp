#include "tools/samplegen/SampleGenerator.h"

#include "novel/FileAccess.h"
#include "novel/NovelData.h"
#include "novel/NovelDocument.h"
#include "novel/ShiftJis.h"
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

// The list is written in UTF-8; the novel names files in Shift-JIS.
std::vector<SampleAsset> ShiftJisPaths(std::vector<SampleAsset> assets) {
    for (SampleAsset& asset : assets)
        asset.relativePath = sjis::FromUtf8(asset.relativePath);
    return assets;
}

} // namespace

const std::vector<SampleAsset>& SampleAssets() {
    // Two names are Japanese, one with a second byte of 0x5C ("表"), as authors' files are:
    // whatever reads the paths must step over double-byte characters.
    static const std::vector<SampleAsset> assets = ShiftJisPaths({
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
        {"se\\チャイム.wav", [] { return EncodeWave(MakeChime()); }},
        {"se\\表紙をめくる.ogg", [] { return EncodeOggVorbis(MakePageTurn(), 0.4f, 3); }},
        {"se\\steps.wav", [] { return EncodeWave(MakeFootsteps()); }},
    });
    return assets;
}

std::filesystem::path AssetPath(const std::filesystem::path& folder, const std::string& relative) {
    // A backslash separates folders only where it is a character of its own: "表" ends in the
    // same byte.
    std::filesystem::path path = folder;
    std::string segment;
    for (std::size_t i = 0; i < relative.size();) {
        const std::size_t length = sjis::CharLength(relative, i);
        if (length == 1 && relative[i] == '\\') {
            path /= PathFromUtf8(sjis::ToUtf8(segment));
            segment.clear();
        } else {
            segment.append(relative, i, length);
        }
        i += length;
    }
    return path / PathFromUtf8(sjis::ToUtf8(segment));
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
