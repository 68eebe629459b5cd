#include "editor/NovelData.h"
#include "editor/EditorError.h"
#include "editor/ShiftJis.h"

#include <gtest/gtest.h>

using namespace miravo;

TEST(NovelItems, NewItemDefaults) {
    CNovelItems items;
    const CNovelItem& item = items.Add();
    EXPECT_EQ(item.Name, "NewItem");
    EXPECT_EQ(item.X, 0);
    EXPECT_TRUE(item.Text.empty());
    EXPECT_EQ(item.LinkType, kLinkMenu);
    for (int slot = 0; slot < kLinkSlotCount; ++slot) {
        const CNovelLink& link = item.Links[static_cast<std::size_t>(slot)];
        EXPECT_EQ(link.Enabled, slot == 0);
        EXPECT_TRUE(link.Target.empty() && link.LinkText.empty() && link.CounterName.empty());
        EXPECT_FALSE(link.UseCounter);
        EXPECT_EQ(link.Threshold, 1);
    }
}

TEST(NovelItems, IndexOfFindsTheLastMatchCaseSensitively) {
    CNovelItems items;
    items.Add().Name = "a";
    items.Add().Name = "b";
    items.Add().Name = "a";
    EXPECT_EQ(items.IndexOf("a"), 2);
    EXPECT_EQ(items.IndexOf("b"), 1);
    EXPECT_EQ(items.IndexOf("A"), -1);
    items.Delete(2);
    EXPECT_EQ(items.IndexOf("a"), 0);
}

TEST(NovelItems, DeleteKeepsOtherItemsInPlace) {
    CNovelItems items;
    for (const char* name : {"a", "b", "c"})
        items.Add().Name = name;
    CNovelItem* third = &items[2];
    items.Delete(1);
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(&items[1], third); // windows may hold the current item
    EXPECT_THROW(items.Delete(2), std::out_of_range);
}

TEST(NovelTables, LimitsRaiseTheirMessageAndChangeNothing) {
    CNovelItems items;
    for (int i = 0; i < CNovelItems::kMaxCount; ++i)
        items.Add();
    try {
        items.Add();
        FAIL();
    } catch (const EditorError& error) {
        EXPECT_STREQ(error.what(), "アイテムの最大数を超えたため新規作成できません.");
    }
    EXPECT_EQ(items.Count(), 2048);

    CNovelCounters counters;
    CTextWindows windows;
    for (int i = 0; i < 256; ++i) {
        counters.Add();
        windows.Add();
    }
    EXPECT_THROW(
        {
            try {
                counters.Add();
            } catch (const EditorError& error) {
                EXPECT_STREQ(error.what(), "カウンタの最大数を超えたため新規作成できません.");
                throw;
            }
        },
        EditorError);
    EXPECT_THROW(
        {
            try {
                windows.Add();
            } catch (const EditorError& error) {
                EXPECT_STREQ(error.what(), "ウインドウの最大数を超えたため新規作成できません.");
                throw;
            }
        },
        EditorError);
    EXPECT_EQ(counters.Count(), 256);
    EXPECT_EQ(windows.Count(), 256);
}

TEST(NovelTables, CountersAndWindowsDefaultsAndDelete) {
    CNovelCounters counters;
    const CNovelCounter& counter = counters.Add();
    EXPECT_EQ(sjis::ToUtf8(counter.Name), "(新規カウンタ)");
    EXPECT_EQ(counter.MaxValue, 100);
    counters.Add().Name = "x";
    counters.Delete(-1);
    counters.Delete(2);
    EXPECT_EQ(counters.Count(), 2);
    EXPECT_EQ(counters.IndexOf("x"), 1);
    counters.Delete(0);
    EXPECT_EQ(counters[0].Name, "x");

    CTextWindows windows;
    const CTextWindow& window = windows.Add();
    EXPECT_EQ(sjis::ToUtf8(window.Name), "(新規ウインドウ)");
    EXPECT_EQ(window.VAlign, "MIDDLE");
    EXPECT_EQ(window.HAlign, "CENTER");
    EXPECT_EQ(window.TextRect, (CWindowRect{32, 32, 608, 448}));
    windows.Delete(1);
    EXPECT_EQ(windows.Count(), 1);
}

TEST(NovelText, SplitAndJoin) {
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("a"), (TextLines{"a"}));
    EXPECT_EQ(SplitLines("a\r\n"), (TextLines{"a"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (TextLines{"a", ""}));
    EXPECT_EQ(SplitLines("a\r"), (TextLines{"a"}));
    EXPECT_EQ(SplitLines("\r"), (TextLines{""}));
    EXPECT_EQ(SplitLines("\n\r"), (TextLines{"", ""}));
    EXPECT_EQ(SplitLines("a\rb\nc\r\nd\n\re"), (TextLines{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(SplitLines(std::string("a\r\nb\0c\r\nd", 9)), (TextLines{"a", "b"}));
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinLines({}), "");
}

TEST(NovelHeader, DefaultsAndFadeNumbers) {
    CNovelFileHeader header;
    header.Title = "x";
    header.SetDefaults();
    EXPECT_EQ(header, CNovelFileHeader());
    EXPECT_EQ(header.Magic, "Miravo WorkFile");
    EXPECT_EQ(header.FadeName, "BLEND");
    EXPECT_EQ(header.TipColor, 0xFFFF00);

    EXPECT_EQ(FadeNumberOf("blend"), 4);
    EXPECT_EQ(FadeNumberOf("R-SHUTTER"), 0);
    EXPECT_EQ(FadeNumberOf("crossline"), 9);
    EXPECT_EQ(FadeEffectKeyword(6), "R-SUTTER");
    EXPECT_EQ(FadeEffectKeyword(10), "");

    // Old numbers 5 and 1 are NONE and BLIND.
    header.LegacyFadeNumber = 5;
    header.ConvertLegacyFadeNumber();
    EXPECT_EQ(header.FadeName, "NONE");
    EXPECT_EQ(header.LegacyFadeNumber, 1);
    header.LegacyFadeNumber = 1;
    header.ConvertLegacyFadeNumber();
    EXPECT_EQ(header.FadeName, "BLIND");
    EXPECT_EQ(header.LegacyFadeNumber, 2);
    header.LegacyFadeNumber = 42;
    header.ConvertLegacyFadeNumber();
    EXPECT_EQ(header.FadeName, "DEFAULT");
    EXPECT_EQ(header.LegacyFadeNumber, 0);
}

TEST(NovelModel, OneInstanceReachedThroughNovel) {
    EXPECT_THROW(Novel(), std::logic_error);
    {
        CNovelModelInstance instance;
        Novel().Items.Add();
        EXPECT_EQ(instance.Model().Items.Count(), 1);
        EXPECT_THROW(CNovelModelInstance second, std::logic_error);
        EXPECT_EQ(&Novel(), &instance.Model());
        Novel().Reset();
        EXPECT_EQ(Novel().Items.Count(), 0);
    }
    EXPECT_THROW(Novel(), std::logic_error);
}
