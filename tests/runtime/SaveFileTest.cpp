// The save file: a play saved at a click and resumed shows the same scene and goes on with the
// same text; carried counters survive a new play; a damaged file is refused whole.
#include "tests/novel/SampleNovels.h"

#include "novel/ShiftJis.h"
#include "runtime/PlayTrace.h"
#include "runtime/SaveFile.h"

#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::runtime;
using namespace miravo::test;

namespace {

CNovelModel SavedNovel() {
    CNovelModel model;
    CNovelCounter& kept = model.Counters.Add();
    kept.Name = Sj("周回");
    kept.CarryOver = true;
    model.Counters.Add().Name = "plain";
    model.TextWindows.Add().Name = "w";
    CNovelItem& item = model.Items.Add();
    item.Name = Sj("場面");
    for (const char* line : {".GraphLoad \"bg.png\" NONE 1", ".CharSet \"n\" \"c.png\" TOP LEFT",
                             ".CounterPlus \"周回\" 2", ".CounterPlus \"plain\" 5",
                             ".BGMPlay \"m.ogg\"", ".FontSize 40", "一つ目@二つ目", "三つ目"})
        item.Text.push_back(Sj(line));
    item.LinkType = kLinkEnding;
    return model;
}

} // namespace

TEST(SaveFile, ResumesWhereTheReaderSavedAndCarriesCounters) {
    const CNovelModel model = SavedNovel();
    PlayTrace first;
    ScriptPlayer player(model, first);
    player.StartNewPlay();
    ASSERT_EQ(player.Run().kind, StopKind::Click); // after 一つ目
    const std::string file = WriteSaveData(SaveDataOf(player, model, true));
    const std::optional<SaveData> read = ReadSaveData(file);
    ASSERT_TRUE(read.has_value()) << file;
    EXPECT_EQ(WriteSaveData(*read), file);

    PlayTrace resumed;
    ScriptPlayer again(model, resumed);
    again.StartNewPlay();
    ASSERT_TRUE(ApplySaveData(*read, again, model, true));
    EXPECT_EQ(again.Scene().background, "bg.png");
    EXPECT_EQ(again.Scene().characters, player.Scene().characters);
    EXPECT_EQ(again.Scene().font.size, 40);
    EXPECT_EQ(again.Scene().bgm, "m.ogg");
    EXPECT_EQ(again.Counters().Value(1), 5);
    EXPECT_EQ(again.Run().kind, StopKind::Click);
    EXPECT_EQ(again.Run().kind, StopKind::Ending);
    EXPECT_EQ(resumed.Lines().back(), "Ending: 場面");
    EXPECT_EQ(resumed.Lines()[resumed.Lines().size() - 2], "Page: 二つ目 / 三つ目");

    // A new play keeps only the carried counter: 2 from the save, 2 more from the script.
    ScriptPlayer next(model, resumed);
    next.StartNewPlay();
    ApplySaveData(*read, next, model, false);
    next.Run();
    EXPECT_EQ(next.Counters().Value(0), 4);
    EXPECT_EQ(next.Counters().Value(1), 5);
}

TEST(SaveFile, DamagedFilesAreRefusedWhole) {
    const std::string good = "MiravoSave 1\ncarry 3 x63\nbookmark x61 0 0\nfont 0 28 255\nend\n";
    ASSERT_TRUE(ReadSaveData(good).has_value());
    const struct {
        const char* what;
        std::string text;
    } damaged[] = {
        {"empty", ""},
        {"other magic", "MiravoSave 2\nend\n"},
        {"cut", good.substr(0, good.size() - 1)},
        {"no end", "MiravoSave 1\ncarry 3 x63\n"},
        {"after end", good + "carry 1 x61\n"},
        {"odd hex", "MiravoSave 1\ncarry 3 x6\nend\n"},
        {"bad hex", "MiravoSave 1\ncarry 3 x6g\nend\n"},
        {"number too large", "MiravoSave 1\ncarry 99999999999 x61\nend\n"},
        {"scene without bookmark", "MiravoSave 1\nbgm x61\nend\n"},
        {"two bookmarks", "MiravoSave 1\nbookmark x61 0 0\nbookmark x61 0 0\nend\n"},
        {"placement out of range", "MiravoSave 1\nbookmark x61 0 0\ncharacter 3 0 x61 x61\nend\n"},
        {"unknown line", "MiravoSave 1\nfoo\nend\n"},
        {"extra word", "MiravoSave 1\nend now\n"},
    };
    for (const auto& d : damaged)
        EXPECT_FALSE(ReadSaveData(d.text).has_value()) << d.what;

    // A bookmark of an item that is gone, or a stale position, resumes nothing or ends cleanly.
    const CNovelModel model = SavedNovel();
    IPlayerEffects nothing;
    ScriptPlayer player(model, nothing);
    player.StartNewPlay();
    EXPECT_FALSE(ApplySaveData(*ReadSaveData(good), player, model, true));
    const auto stale = ReadSaveData("MiravoSave 1\nbookmark " + std::string("x") + "e5a0b4e99da2" +
                                    " 7 999\nwindow 9 0 9\nend\n");
    ASSERT_TRUE(stale.has_value());
    ScriptPlayer again(model, nothing);
    again.StartNewPlay();
    ApplySaveData(*stale, again, model, false);
    EXPECT_EQ(again.Scene().textWindow, -1);
}
