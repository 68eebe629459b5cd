#include "editor/script/ScriptLineEdits.h"

#include "novel/ScriptKeywords.h"
#include "novel/ShiftJis.h"

#include <gtest/gtest.h>

#include <vector>

namespace miravo {
namespace {

std::string Sjis(std::string_view utf8) { return sjis::FromUtf8(utf8); }

struct VectorLines : IScriptLines {
    std::vector<std::string> lines;
    int Count() const override { return static_cast<int>(lines.size()); }
    std::string Get(int index) const override { return lines.at(static_cast<std::size_t>(index)); }
    void Put(int index, std::string_view text) override {
        lines.at(static_cast<std::size_t>(index)) = text;
    }
    void Insert(int index, std::string_view text) override {
        lines.insert(lines.begin() + index, std::string(text));
    }
};

TEST(ScriptLineEditsTest, CommandLinesArriveInCallOrder) {
    VectorLines script;
    for (int i = 0; i < 7; ++i) {
        script.lines.push_back("line" + std::to_string(i));
    }
    // The caret at column 0 of line 5: the font dialog's three lines become lines 5 to 7.
    int caret = 5;
    for (const char* line : {".FontType GOTHIC", ".FontSize 28", ".FontColor 1 2 3"}) {
        caret = InsertCommandLine(script, caret, true, line);
    }
    EXPECT_EQ(script.lines[5], ".FontType GOTHIC");
    EXPECT_EQ(script.lines[6], ".FontSize 28");
    EXPECT_EQ(script.lines[7], ".FontColor 1 2 3");
    EXPECT_EQ(script.lines[8], "line5");
    EXPECT_EQ(caret, 8);
    // Inside a line the command follows it; on the row after the last line it is appended.
    EXPECT_EQ(InsertCommandLine(script, 0, false, ".NextPage"), 2);
    EXPECT_EQ(script.lines[1], ".NextPage");
    const int count = script.Count();
    EXPECT_EQ(InsertCommandLine(script, count, true, ".BGMStop"), count + 1);
    EXPECT_EQ(script.lines.back(), ".BGMStop");
}

struct ClickWaitCase {
    const char* name;
    std::vector<const char*> before; // UTF-8
    int line;
    int offset;
    std::vector<const char*> after;
    int caret;
};

TEST(ScriptLineEditsTest, ClickWaitAtStartMiddleAndEnd) {
    const ClickWaitCase cases[] = {
        {"start", {"あいう"}, 0, 0, {"@", "あいう"}, 2},
        {"middle never splits a character", {"あいう", "x"}, 0, 2, {"あ@", "いう", "x"}, 1},
        {"end of a middle line", {"あいう", "x"}, 0, 6, {"あいう@", "", "x"}, 1},
        {"end of the last line", {"あいう"}, 0, 6, {"あいう@", ""}, 2},
        {"row after the last line", {"a"}, 1, 0, {"a", "@"}, 2},
        {"empty script", {}, 0, 0, {"@"}, 1},
    };
    for (const ClickWaitCase& c : cases) {
        SCOPED_TRACE(c.name);
        VectorLines script;
        for (const char* line : c.before) {
            script.lines.push_back(Sjis(line));
        }
        EXPECT_EQ(InsertClickWait(script, c.line, c.offset), c.caret);
        std::vector<std::string> expected;
        for (const char* line : c.after) {
            expected.push_back(Sjis(line));
        }
        EXPECT_EQ(script.lines, expected);
    }
}

TEST(ScriptKeywordsTest, ReservedWordsWholeAndInAnyCase) {
    const struct {
        const char* line;
        std::vector<KeywordRun> runs;
    } cases[] = {
        {".graphload \"a.png\"", {{0, 10}}},
        {".GraphLoadX", {}},
        {"x.Wait", {}},
        {"text@more;", {{4, 1}, {9, 1}}},
        {"ァ", {}}, // 0x83 0x40: a trail byte, no marker
        {"あ@ .BGMStop", {{2, 1}, {4, 8}}},
        {".Foo 1", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(KeywordRuns(Sjis(c.line)), c.runs);
    }
}

} // namespace
} // namespace miravo
