// Seeds of the document core's fuzzers, made from the same sample novels as the tests.
#include "CorpusSeeds.h"
#include "SampleNovels.h"

#include "novel/ByteStream.h"
#include "novel/NovelDocument.h"

#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::test;

namespace {
std::string Int32Bytes(std::int32_t value) {
    ByteWriter writer;
    writer.WriteInt32(value);
    return writer.Bytes();
}
} // namespace

TEST(CorpusSeeds, NovelReader) {
    CNovelModel full;
    FillFullNovel(full);
    std::map<std::string, std::string> seeds;
    for (int version = 1; version <= 8; ++version)
        seeds["v" + std::to_string(version)] = OldFormatFile(full, version);
    const std::string v9 = SerializeNovel(full);
    seeds["v9"] = v9;
    seeds["v10"] = std::string(v9).replace(33, 4, Int32Bytes(10));
    seeds["magic"] = std::string(v9).replace(0, 1, "\x10");
    seeds["truncated"] = v9.substr(0, v9.size() - 9);
    seeds["items-count"] = std::string(v9).replace(v9.size() - 4, 4, Int32Bytes(0x7FFFFFFF));
    CNovelModel empty;
    seeds["empty"] = SerializeNovel(empty);
    CNovelModel large;
    FillLargeNovel(large, 6, 9);
    seeds["scripts"] = SerializeNovel(large);
    EXPECT_EQ(CheckSeeds("novel_reader_fuzzer", seeds), "");
    // The check reads what the reader accepts.
    EXPECT_EQ(CheckSeeds("novel_check_fuzzer", {{"v9", v9}, {"scripts", seeds["scripts"]}}), "");
}

TEST(CorpusSeeds, AlphaReader) {
    CNovelModel full;
    FillFullNovel(full);
    ByteWriter alpha;
    alpha.WriteInt32(640);
    alpha.WriteInt32(480);
    full.Items.SaveToStream(alpha);
    EXPECT_EQ(CheckSeeds("alpha_reader_fuzzer",
                         {{"items", alpha.Bytes()}, {"none", std::string(12, '\0')}}),
              "");
}

TEST(CorpusSeeds, ScriptLine) {
    std::map<std::string, std::string> seeds;
    const char* lines[] = {".graphload \"a b.jpg\"",
                           " .Wait 100",
                           ".Wait  100",
                           ".Wait ,100",
                           ".GraphLoad \"bg.jpg\" ",
                           ".CharDelete \"\"",
                           ".SoundPlay \"a b",
                           ".SoundPlay abc\"",
                           ".CharSet \"n\" \"f.png\" TOP",
                           "a@b;c",
                           "\x81\x40\x83\x40@;",
                           ".X \"\x81\"y\"\t,z"};
    int n = 0;
    for (const char* line : lines)
        seeds["line" + std::to_string(n++)] = line;
    seeds["japanese"] = Sj(".CharSet \"少女\" \"表\\ソ.png\" MIDDLE CENTER");
    EXPECT_EQ(CheckSeeds("script_line_fuzzer", seeds), "");
}

TEST(CorpusSeeds, ShiftJis) {
    EXPECT_EQ(
        CheckSeeds("shiftjis_fuzzer", {{"japanese", Sj("表ソ十能予構、ｱｲｳ")},
                                       {"odd", std::string("\x80\xA0\xFD\x85\x40\x87\x90\x81", 8)},
                                       {"utf8", "能登の表ソ"}}),
        "");
}
