// The data package byte for byte, read back, and the scrambled novel.
#include "DistributionFixtures.h"
#include "SampleNovels.h"
#include "TempFolder.h"

#include "novel/EditorError.h"
#include "novel/MemoryFiles.h"
#include "novel/NovelDocument.h"
#include "novel/NovelScramble.h"
#include "novel/PackageFile.h"
#include "novel/PackageReader.h"

#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::test;

namespace {

std::string Int(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xFF);
    return out;
}

std::string Entry(const std::string& name, std::uint32_t offset, std::uint32_t size) {
    return char(name.size()) + name + std::string(255 - name.size(), '\0') + Int(offset, 4) +
           Int(size, 4);
}

struct Packed {
    std::string bytes;
    std::vector<std::pair<int, std::string>> progress;
};

// Writes files {name, content} into a package after `prefix`.
Packed Pack(const std::vector<std::pair<std::string, std::string>>& files,
            const std::string& prefix = "") {
    TempFolder folder;
    auto disk = MakeDiskFileSystem();
    TWritePackageFile writer(*disk);
    Packed packed;
    writer.SetProgress(
        [&](int percent, const std::string& name) { packed.progress.emplace_back(percent, name); });
    int n = 0;
    for (const auto& [name, content] : files) {
        const auto path = folder / ("f" + std::to_string(n++));
        TempFolder::Write(path, content);
        writer.Add(path, name);
    }
    MemoryOutputFile output;
    output.Write(prefix.data(), prefix.size());
    writer.Write(output);
    packed.bytes = output.Bytes();
    return packed;
}

} // namespace

TEST(PackageFile, SingleEntryDataAt279) {
    const Packed packed = Pack({{"autorun.mve", "novel"}});
    EXPECT_EQ(packed.bytes,
              std::string("\x0CPackageFile2") + Int(1, 2) + Entry("autorun.mve", 0, 5) + "novel");
    EXPECT_EQ(packed.bytes.substr(279), "novel");
    EXPECT_EQ(packed.progress, (std::vector<std::pair<int, std::string>>{{100, "autorun.mve"}}));
}

TEST(PackageFile, EmptyFilesAndLongNames) {
    const std::string name255(255, 'n'), name300(300, 'm');
    // A double-byte character across byte 255 is left out whole.
    const std::string split = std::string(254, 'k') + Sj("表");
    const Packed packed =
        Pack({{"a", "12"}, {"empty", ""}, {name255, "xyz"}, {name300, ""}, {split, "!"}});
    const std::string expected = std::string("\x0CPackageFile2") + Int(5, 2) + Entry("a", 0, 2) +
                                 Entry("empty", 2, 0) + Entry(name255, 2, 3) +
                                 Entry(std::string(255, 'm'), 5, 0) +
                                 Entry(std::string(254, 'k'), 5, 1) + "12xyz!";
    EXPECT_EQ(packed.bytes, expected);
    std::vector<int> percents;
    for (const auto& step : packed.progress)
        percents.push_back(step.first);
    EXPECT_EQ(percents, (std::vector<int>{20, 40, 60, 80, 100}));

    MemoryInputFile input(packed.bytes);
    const PackageDirectory directory = ReadPackageDirectory(input, 0);
    ASSERT_EQ(directory.entries.size(), 5u);
    EXPECT_EQ(directory.dataStart, 15 + 5 * 264);
    EXPECT_EQ(ReadPackageEntry(input, directory, *directory.Find(name255)), "xyz");
    EXPECT_EQ(ReadPackageEntry(input, directory, *directory.Find("EMPTY")), "");
    EXPECT_EQ(directory.Find("absent"), nullptr);
}

TEST(PackageFile, AddAndWriteFailures) {
    TempFolder folder;
    auto disk = MakeDiskFileSystem();
    TWritePackageFile writer(*disk);
    EXPECT_THROW(writer.Add(folder / "missing", "m"), FileOpenError);
    EXPECT_EQ(writer.Count(), 0);
    TempFolder::Write(folder / "f", "0123456789");
    writer.Add(folder / "f", "f");
    EXPECT_EQ(writer.TotalSize(), 10);
    TempFolder::Write(folder / "f", "0123"); // shrank after Add: the directory would lie
    MemoryOutputFile output;
    EXPECT_THROW(writer.Write(output), FileReadError);
    writer.Clear();
    EXPECT_EQ(writer.Count(), 0);
    EXPECT_EQ(writer.TotalSize(), 0);
}

TEST(PackageReader, FindsThePackageBehindAProgram) {
    for (const bool symbols : {false, true}) {
        const std::string program = FakeProgramImage(100, symbols);
        const Packed packed =
            Pack({{"autorun.mve", ScrambleNovel("NOVEL", 7)}, {"b", "bb"}}, program);
        MemoryInputFile input(packed.bytes);
        EXPECT_EQ(ProgramImageEnd(input), std::int64_t(program.size()));
        const std::optional<PackageDirectory> directory = FindAppendedPackage(input);
        ASSERT_TRUE(directory.has_value());
        EXPECT_EQ(directory->packageStart, std::int64_t(program.size()));
        EXPECT_EQ(ReadPackagedNovel(input, *directory), "NOVEL");
        MemoryInputFile bare(program);
        EXPECT_FALSE(FindAppendedPackage(bare).has_value());
    }
}

TEST(PackageReader, RefusesDamagedPackages) {
    const std::string good = Pack({{"a", "12"}, {"b", "345"}}).bytes;
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"magic", std::string(good).replace(1, 1, "p")},
        {"negative count", std::string(good).replace(13, 2, Int(0x8000, 2))},
        {"count past the end", std::string(good).replace(13, 2, Int(3, 2))},
        {"size past the end", std::string(good).replace(15 + 264 + 260, 4, Int(4, 4))},
        {"negative offset", std::string(good).replace(15 + 256, 4, Int(0xFFFFFFFF, 4))},
        {"cut short", good.substr(0, 20)},
    };
    for (const auto& c : cases) {
        MemoryInputFile input(c.bytes);
        EXPECT_THROW(ReadPackageDirectory(input, 0), FileReadError) << c.what;
    }
    EXPECT_THROW(UnscrambleNovel("abc"), FileReadError);
}

TEST(NovelScramble, SeedThenKeyStream) {
    EXPECT_EQ(ScrambleNovel("abc", 12345), Int(12345, 4) + "\x1A\x63\x2C");
    CNovelModel model;
    FillFullNovel(model);
    const std::string novel = SerializeNovel(model);
    const std::string first = ScrambleNovel(novel, 1), second = ScrambleNovel(novel, 2147483645);
    EXPECT_EQ(first.size(), novel.size() + 4);
    EXPECT_NE(first, second);
    EXPECT_EQ(first.find(model.Header.Title), std::string::npos);
    EXPECT_EQ(UnscrambleNovel(first), novel);
    EXPECT_EQ(UnscrambleNovel(second), novel);
    EXPECT_LT(DrawScrambleSeed(), kScrambleSeedLimit);
}
