// Seeds of the package reader's fuzzer: built programs and packages from the writer.
#include "CorpusSeeds.h"
#include "DistributionFixtures.h"
#include "SampleNovels.h"
#include "TempFolder.h"

#include "novel/MemoryFiles.h"
#include "novel/NovelDocument.h"
#include "novel/NovelScramble.h"
#include "novel/PackageFile.h"

#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::test;

namespace {
std::string Package(const std::vector<std::pair<std::string, std::string>>& files) {
    TempFolder folder;
    auto disk = MakeDiskFileSystem();
    TWritePackageFile writer(*disk);
    int n = 0;
    for (const auto& [name, content] : files) {
        const auto path = folder / ("e" + std::to_string(n++));
        TempFolder::Write(path, content);
        writer.Add(path, name);
    }
    MemoryOutputFile output;
    writer.Write(output);
    return output.Bytes();
}
} // namespace

TEST(CorpusSeeds, PackageReader) {
    CNovelModel novel;
    novel.Items.Add().Text = CTextLines{Sj("文章@")};
    const std::string scrambled = ScrambleNovel(SerializeNovel(novel), 1234);
    const std::string package =
        Package({{"autorun.mve", scrambled}, {"bg\\a.png", "png"}, {"empty", ""}});
    EXPECT_EQ(CheckSeeds("package_reader_fuzzer",
                         {{"program", FakeProgramImage(64) + package},
                          {"symbols", FakeProgramImage(32, true) + package},
                          {"package", package},
                          {"none", Package({})},
                          {"bare-program", FakeProgramImage(16)},
                          {"cut", (FakeProgramImage(16) + package).substr(0, 600)}}),
              "");
}
