#include "tools/samplegen/SampleGenerator.h"
#include "SampleCheck.h"
#include "novel/FileAccess.h"
#include "novel/ShiftJis.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>
#include <png.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

using namespace miravo;
namespace fs = std::filesystem;

namespace {

class TempFolder {
public:
    TempFolder() {
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = fs::temp_directory_path() / ("miravo-samplegen-" + std::to_string(ticks));
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::uint32_t Le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + std::size_t(i)));
    return value;
}

std::string Extension(const std::string& relative) { return relative.substr(relative.rfind('.')); }

void ExpectFolderHoldsTheSample(const fs::path& folder) {
    CNovelModel model;
    std::vector<std::string> problems = test::CheckSampleFolder(folder, model);
    for (const std::string& problem : problems)
        ADD_FAILURE() << problem;
    EXPECT_EQ(model.Items.Count(), 13);
    EXPECT_EQ(model.Counters.Count(), 3);
    EXPECT_EQ(model.TextWindows.Count(), 2);
    EXPECT_EQ(model.Header.Title, sjis::FromUtf8("夏の終わりの図書室"));
}

} // namespace

TEST(SampleNovel, GeneratedNovelLoadsAndEveryFileItNamesExists) {
    TempFolder folder;
    const std::vector<fs::path> written = samplegen::GenerateSample(folder.Path());
    EXPECT_EQ(written.size(), samplegen::SampleAssets().size() + 1);
    ExpectFolderHoldsTheSample(folder.Path());
}

TEST(SampleNovel, AssetPathsSplitOnlyAtBackslashCharacters) {
    // "表" is 0x95 0x5C in Shift-JIS: its second byte is no separator.
    EXPECT_EQ(samplegen::AssetPath("novel", sjis::FromUtf8("se\\表紙をめくる.ogg")),
              fs::path("novel") / "se" / PathFromUtf8("表紙をめくる.ogg"));
    EXPECT_EQ(samplegen::AssetPath("novel", "a\\b\\c.wav"),
              fs::path("novel") / "a" / "b" / "c.wav");
}

TEST(SampleNovel, ShowsEveryKindOfLinkCounterWindowAndDataFile) {
    TempFolder folder;
    samplegen::GenerateSample(folder.Path());
    CNovelModel model;
    ASSERT_TRUE(test::CheckSampleFolder(folder.Path(), model).empty());

    std::set<int> linkTypes;
    int conditional = 0;
    for (int i = 0; i < model.Items.Count(); ++i) {
        const CNovelItem& item = model.Items[i];
        linkTypes.insert(item.LinkType);
        const auto enabled = std::count_if(item.Links.begin(), item.Links.end(),
                                           [](const CNovelLink& l) { return l.Enabled; });
        if (item.LinkType == kLinkMenu) {
            EXPECT_GE(enabled, 2) << sjis::ToUtf8(item.Name);
        }
        if (item.LinkType == kLinkAuto) {
            EXPECT_EQ(enabled, 1) << sjis::ToUtf8(item.Name);
        }
        for (const CNovelLink& link : item.Links)
            conditional += link.Enabled && link.UseCounter;
    }
    EXPECT_EQ(linkTypes, (std::set<int>{kLinkMenu, kLinkAuto, kLinkEnding}));
    EXPECT_GE(conditional, 3);
    EXPECT_TRUE(std::any_of(&model.Counters[0], &model.Counters[0] + model.Counters.Count(),
                            [](const CNovelCounter& c) { return c.CarryOver; }));

    // Every data file is used by the novel, and every kind of data file is there.
    std::set<std::string> referenced, kinds;
    for (const test::NovelReference& reference : test::ReferencedFiles(model))
        referenced.insert(reference.relativePath);
    for (const samplegen::SampleAsset& asset : samplegen::SampleAssets()) {
        EXPECT_TRUE(referenced.count(asset.relativePath)) << asset.relativePath << " is not used";
        kinds.insert(Extension(asset.relativePath));
    }
    EXPECT_EQ(kinds, (std::set<std::string>{".bmp", ".jpg", ".png", ".ogg", ".wav"}));
}

TEST(SampleNovel, PicturesDecodeWithTheirSizesAndPngTransparency) {
    TempFolder folder;
    samplegen::GenerateSample(folder.Path());
    int transparentPngs = 0;
    for (const samplegen::SampleAsset& asset : samplegen::SampleAssets()) {
        const std::string bytes = Bytes(samplegen::AssetPath(folder.Path(), asset.relativePath));
        const std::string kind = Extension(asset.relativePath);
        const bool background = asset.relativePath.rfind("bg\\", 0) == 0;
        if (kind == ".png") {
            png_image image{};
            image.version = PNG_IMAGE_VERSION;
            ASSERT_TRUE(png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
                << asset.relativePath;
            image.format = PNG_FORMAT_RGBA;
            std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
            ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
            bool clear = false, opaque = false;
            for (std::size_t i = 3; i < pixels.size(); i += 4) {
                clear |= pixels[i] == 0;
                opaque |= pixels[i] >= 200;
            }
            EXPECT_TRUE(opaque) << asset.relativePath;
            if (background) {
                EXPECT_EQ(image.width, 640u);
                EXPECT_EQ(image.height, 480u);
            } else if (clear) {
                ++transparentPngs;
            }
        } else if (kind == ".jpg") {
            jpeg_decompress_struct cinfo{};
            jpeg_error_mgr errors{};
            cinfo.err = jpeg_std_error(&errors);
            jpeg_create_decompress(&cinfo);
            jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                         static_cast<unsigned long>(bytes.size()));
            ASSERT_EQ(jpeg_read_header(&cinfo, TRUE), JPEG_HEADER_OK) << asset.relativePath;
            EXPECT_EQ(cinfo.image_width, 640u);
            EXPECT_EQ(cinfo.image_height, 480u);
            EXPECT_EQ(cinfo.num_components, 3);
            jpeg_destroy_decompress(&cinfo);
        } else if (kind == ".bmp") {
            ASSERT_GE(bytes.size(), 54u);
            EXPECT_EQ(bytes.substr(0, 2), "BM");
            EXPECT_EQ(Le(bytes, 2, 4), bytes.size());
            EXPECT_EQ(Le(bytes, 18, 4), 640u);
            EXPECT_EQ(Le(bytes, 22, 4), 480u);
            EXPECT_EQ(Le(bytes, 28, 2), 24u);
            EXPECT_EQ(bytes.size(), 54u + 640 * 3 * 480);
        }
    }
    EXPECT_GE(transparentPngs, 4); // characters, windows and logo
}

namespace {

struct MemoryFile {
    const std::string* bytes;
    std::size_t position = 0;
};

std::size_t ReadMemory(void* out, std::size_t size, std::size_t count, void* source) {
    auto* file = static_cast<MemoryFile*>(source);
    const std::size_t n = std::min(size * count, file->bytes->size() - file->position);
    std::memcpy(out, file->bytes->data() + file->position, n);
    file->position += n;
    return size ? n / size : 0;
}

} // namespace

TEST(SampleNovel, SoundsAreWavePcmOrOggVorbisOfTheirLength) {
    TempFolder folder;
    samplegen::GenerateSample(folder.Path());
    for (const samplegen::SampleAsset& asset : samplegen::SampleAssets()) {
        const std::string bytes = Bytes(samplegen::AssetPath(folder.Path(), asset.relativePath));
        const std::string kind = Extension(asset.relativePath);
        if (kind == ".wav") {
            ASSERT_GE(bytes.size(), 44u);
            EXPECT_EQ(bytes.substr(0, 4), "RIFF");
            EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
            EXPECT_EQ(Le(bytes, 20, 2), 1u);  // PCM
            EXPECT_EQ(Le(bytes, 34, 2), 16u); // bits
            EXPECT_EQ(Le(bytes, 24, 4), 22050u);
            EXPECT_EQ(bytes.substr(36, 4), "data");
            EXPECT_EQ(Le(bytes, 40, 4) + 44, bytes.size());
        } else if (kind == ".ogg") {
            MemoryFile file{&bytes};
            OggVorbis_File vorbis;
            ov_callbacks callbacks{ReadMemory, nullptr, nullptr, nullptr};
            ASSERT_EQ(ov_open_callbacks(&file, &vorbis, nullptr, 0, callbacks), 0)
                << asset.relativePath;
            vorbis_info* info = ov_info(&vorbis, -1);
            EXPECT_EQ(info->rate, 22050);
            long long frames = 0;
            char buffer[8192];
            int section = 0;
            for (long n; (n = ov_read(&vorbis, buffer, sizeof buffer, 0, 2, 1, &section)) > 0;)
                frames += n / (2 * info->channels);
            EXPECT_GT(frames, 22050 / 2) << asset.relativePath; // at least half a second
            ov_clear(&vorbis);
        }
    }
}

TEST(SampleNovel, GenerationIsReproducible) {
    TempFolder first, second;
    const std::vector<fs::path> a = samplegen::GenerateSample(first.Path());
    const std::vector<fs::path> b = samplegen::GenerateSample(second.Path());
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_TRUE(Bytes(a[i]) == Bytes(b[i])) << a[i].filename();
}

#ifdef MIRAVO_BUILT_SAMPLES
// What the build put into the tree for `make run` and the editor's tests.
TEST(SampleNovel, TheBuildTreeHoldsTheSample) { ExpectFolderHoldsTheSample(MIRAVO_BUILT_SAMPLES); }
#endif
