#include "tests/novel/SampleNovels.h"
#include "tests/novel/TempFolder.h"

#include "novel/ByteStream.h"
#include "novel/FileAccess.h"
#include "novel/NovelDocument.h"
#include "novel/NovelExport.h"
#include "novel/ShiftJis.h"
#include "tools/mvtool/MvTool.h"
#include "tools/mvtool/NovelJson.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

using namespace miravo;
using namespace miravo::test;

namespace {

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

ToolRun Tool(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunMvTool(args, out, err);
    return {code, out.str(), err.str()};
}

std::string P(const std::filesystem::path& path) { return PathToUtf8(path); }

class MvTool : public ::testing::Test {
protected:
    void SetUp() override {
        FillFullNovel(model_);
        novel_ = folder_ / "novel.mve";
        SaveNovelFile(model_, novel_);
    }

    TempFolder folder_;
    CNovelModel model_;
    std::filesystem::path novel_;
};

} // namespace

TEST_F(MvTool, Info) {
    const ToolRun run = Tool({"info", P(novel_)});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "Version: 9\nTitle: 能登の表ソ十構\nItems: 3\nCounters: 2\nTextWindows: 2\n");
    EXPECT_EQ(run.err, "");

    // Bytes that are no Shift-JIS character show as U+FFFD; an alpha-1 file says what it is.
    model_.Header.Title = "a\x80\xFF" + sjis::FromUtf8("表");
    SaveNovelFile(model_, novel_);
    EXPECT_EQ(Tool({"info", P(novel_)}).out.substr(0, 29), "Version: 9\nTitle: a\uFFFD\uFFFD表\n");
    ByteWriter alpha;
    alpha.WriteInt32(320);
    alpha.WriteInt32(240);
    model_.Items.SaveToStream(alpha);
    TempFolder::Write(folder_ / "old.mvw", alpha.Bytes());
    EXPECT_EQ(Tool({"info", P(folder_ / "old.mvw")}).out,
              "Version: alpha-1\nTitle: \nItems: 3\nCounters: 0\nTextWindows: 0\n");
}

TEST_F(MvTool, ResaveOldAndAlphaFiles) {
    TempFolder::Write(folder_ / "old.mve", OldFormatFile(model_, 5));
    ToolRun run = Tool({"resave", P(folder_ / "old.mve"), P(folder_ / "new.mve")});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "mvtool: 注意: このファイルは古いファイル形式です. "
                       "保存すると新しい形式に変換されます.\n");
    const std::string resaved = TempFolder::Read(folder_ / "new.mve");
    EXPECT_EQ(resaved.substr(33, 1), "\x09");
    EXPECT_EQ(Tool({"info", P(folder_ / "new.mve")}).err, "");

    ByteWriter alpha;
    alpha.WriteInt32(320);
    alpha.WriteInt32(240);
    model_.Items.SaveToStream(alpha);
    TempFolder::Write(folder_ / "ALPHA.MvW", alpha.Bytes());
    run = Tool({"resave", P(folder_ / "ALPHA.MvW"), P(folder_ / "alpha.mve")});
    EXPECT_EQ(run.code, 0) << run.err;
    CNovelModel loaded;
    LoadAlphaFile(loaded, folder_ / "ALPHA.MvW");
    EXPECT_EQ(TempFolder::Read(folder_ / "alpha.mve"), SerializeNovel(loaded));

    // A damaged file: an error, unless what was read is salvaged on purpose.
    const std::string whole = TempFolder::Read(novel_);
    TempFolder::Write(folder_ / "cut.mve", whole.substr(0, whole.size() - 10));
    run = Tool({"resave", P(folder_ / "cut.mve"), P(folder_ / "kept.mve")});
    EXPECT_EQ(run.code, 1);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "kept.mve"));
    run = Tool({"resave", "--salvage", P(folder_ / "cut.mve"), P(folder_ / "kept.mve")});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "mvtool: 注意: ファイルの読み込みエラーです. ファイルが途中で切れているか、"
                       "壊れています. 読み込めた部分だけを使います.\n");
    EXPECT_EQ(Tool({"info", P(folder_ / "kept.mve")}).out,
              "Version: 9\nTitle: 能登の表ソ十構\nItems: 3\nCounters: 2\nTextWindows: 2\n");
}

TEST_F(MvTool, JsonBothWays) {
    ToolRun run = Tool({"to-json", P(novel_)});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, NovelToJson(model_));
    ASSERT_EQ(Tool({"to-json", P(novel_), P(folder_ / "n.json")}).code, 0);
    EXPECT_EQ(TempFolder::Read(folder_ / "n.json"), run.out);

    run = Tool({"from-json", P(folder_ / "n.json"), P(folder_ / "back.mve")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(TempFolder::Read(folder_ / "back.mve"), TempFolder::Read(novel_));

    // An item text without the trailing empty line is kept as stored.
    model_.Items[0].Text = {"a", "b"};
    SaveNovelFile(model_, novel_);
    ASSERT_EQ(Tool({"to-json", P(novel_), P(folder_ / "n.json")}).code, 0);
    ASSERT_EQ(Tool({"from-json", P(folder_ / "n.json"), P(folder_ / "back.mve")}).code, 0);
    EXPECT_EQ(TempFolder::Read(folder_ / "back.mve"), TempFolder::Read(novel_));
}

TEST_F(MvTool, BadJsonWritesNothing) {
    TempFolder::Write(folder_ / "bad.json",
                      std::regex_replace(NovelToJson(model_), std::regex("\"Threshold\": -3"),
                                         "\"Threshold\": \"x\""));
    TempFolder::Write(folder_ / "out.mve", "previous");
    const ToolRun run = Tool({"from-json", P(folder_ / "bad.json"), P(folder_ / "out.mve")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "mvtool: items[0].Links[1].Threshold: -2147483648 から 2147483647 の"
                       "整数が必要です.\n");
    EXPECT_EQ(TempFolder::Read(folder_ / "out.mve"), "previous");
}

TEST_F(MvTool, Exports) {
    ASSERT_EQ(Tool({"export-script", P(novel_), P(folder_ / "s.txt")}).code, 0);
    EXPECT_EQ(TempFolder::Read(folder_ / "s.txt"), ScriptExportLines(model_.Items).Joined());
    ASSERT_EQ(Tool({"export-text", P(novel_), P(folder_ / "p.txt")}).code, 0);
    EXPECT_EQ(TempFolder::Read(folder_ / "p.txt"), PlainTextExportLines(model_.Items).Joined());
}

TEST_F(MvTool, ErrorsAreOneLineWithTheSystemsMessage) {
    std::string bytes = TempFolder::Read(novel_);
    bytes[1] = 'X';
    TempFolder::Write(folder_ / "wrong.mve", bytes);
    ToolRun run = Tool({"info", P(folder_ / "wrong.mve")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "mvtool: ファイル形式が違います. 違うアプリケーションのファイルを開こうと"
                       "したか、あるいはファイルが壊れています.\n");

    bytes = TempFolder::Read(novel_);
    bytes[33] = 10;
    TempFolder::Write(folder_ / "new.mve", bytes);
    run = Tool({"info", P(folder_ / "new.mve")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "mvtool: 指定したファイルは、このバージョンでは開けません. 新しいバージョン"
                       "の Miravo を使用してください.\n");

    TempFolder::Write(folder_ / "short.mve", TempFolder::Read(novel_).substr(0, 3000));
    run = Tool({"info", P(folder_ / "short.mve")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "mvtool: ファイルの読み込みエラーです. ファイルが途中で切れているか、"
                       "壊れています.\n");

    run = Tool({"info", P(folder_ / "none.mve")});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("を開けません."), std::string::npos);

    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"info"}, {"resave", "a"}, {"frobnicate", "x"}, {"to-json", "a", "b", "c"}}) {
        run = Tool(args);
        EXPECT_EQ(run.code, 1);
        EXPECT_TRUE(run.err.starts_with("mvtool: 引数が正しくありません.\n使い方:")) << run.err;
    }
    run = Tool({"help"});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.out.starts_with("使い方:"));
}
