// Seeds of the JSON reader's fuzzer, made by the JSON writer.
#include "tests/novel/CorpusSeeds.h"
#include "tests/novel/SampleNovels.h"

#include "tools/mvtool/NovelJson.h"

#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::test;

TEST(CorpusSeeds, NovelJson) {
    CNovelModel full;
    FillFullNovel(full);
    full.Items[2].Name = std::string("\x80\xFF", 2) + "\"\\";
    CNovelModel empty;
    CNovelModel scripts;
    FillLargeNovel(scripts, 3, 6);
    EXPECT_EQ(CheckSeeds("novel_json_fuzzer", {{"full", NovelToJson(full)},
                                               {"empty", NovelToJson(empty)},
                                               {"scripts", NovelToJson(scripts)}}),
              "");
}
