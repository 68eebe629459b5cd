#include "novel/NovelData.h"
#include "novel/EditorError.h"
#include "novel/ShiftJis.h"

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

TEST(NovelText, SplitAtEveryKindOfBreakAndStopAtAZeroByte) {
    EXPECT_TRUE(CTextLines::Split("").empty());
    EXPECT_EQ(CTextLines::Split("a"), (CTextLines{"a"}));
    EXPECT_EQ(CTextLines::Split("a\r\n"), (CTextLines{"a"}));
    EXPECT_EQ(CTextLines::Split("a\r\n\r\n"), (CTextLines{"a", ""}));
    EXPECT_EQ(CTextLines::Split("a\r"), (CTextLines{"a"}));
    EXPECT_EQ(CTextLines::Split("\r"), (CTextLines{""}));
    EXPECT_EQ(CTextLines::Split("\n\r"), (CTextLines{"", ""}));
    EXPECT_EQ(CTextLines::Split("a\rb\nc\r\nd\n\re"), (CTextLines{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(CTextLines::Split(std::string("a\r\nb\0c\r\nd", 9)), (CTextLines{"a", "b"}));
}

// Every text of up to seven characters from "a", CR and LF splits as a character-by-character
// reading of the rules does: the copy-whole path for CR LF texts and the general path agree.
TEST(NovelText, SplitAgreesWithAPlainReadingOfTheRulesOnEveryShortText) {
    auto reference = [](const std::string& text) {
        std::vector<std::string> lines;
        std::string line;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '\r' && text[i] != '\n') {
                line += text[i];
                continue;
            }
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.push_back(line);
            line.clear();
        }
        if (!line.empty())
            lines.push_back(line);
        return lines;
    };
    const char alphabet[] = {'a', '\r', '\n'};
    std::vector<std::string> texts{""};
    for (std::size_t from = 0; texts.back().size() < 7; ++from)
        for (char c : alphabet)
            texts.push_back(texts[from] + c);
    for (const std::string& text : texts) {
        const CTextLines lines = CTextLines::Split(text);
        const std::vector<std::string> expected = reference(text);
        std::vector<std::string> got(lines.begin(), lines.end());
        ASSERT_EQ(got, expected) << ::testing::PrintToString(text);
        std::string joined;
        for (const std::string& line : expected)
            joined += line + "\r\n";
        ASSERT_EQ(lines.Joined(), joined) << ::testing::PrintToString(text);
    }
}

TEST(NovelText, LinesJoinWithCrLfAndKeepWhatWasPutIn) {
    EXPECT_EQ((CTextLines{"a", "", "b"}).Joined(), "a\r\n\r\nb\r\n");
    EXPECT_EQ(CTextLines{}.Joined(), "");

    // An export puts a whole script in as one entry; it stays one entry.
    CTextLines lines{"first"};
    lines.push_back("x\r\ny\r\n");
    lines.push_back("");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "first");
    EXPECT_EQ(lines[1], "x\r\ny\r\n");
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(lines.Joined(), "first\r\nx\r\ny\r\n\r\n\r\n");
    EXPECT_THROW((void)lines.at(3), std::out_of_range);
    EXPECT_NE(lines, CTextLines::Split(lines.Joined())); // five lines once split

    // A line of the list itself, put in again while the text grows.
    for (int i = 0; i < 100; ++i)
        lines.push_back(lines[0]);
    EXPECT_EQ(lines.back(), "first");

    // Far past the kept line starts, with entries that hold breaks among them, indexing and
    // going through in order give every line as it was put in.
    std::vector<std::string> reference;
    CTextLines many;
    for (int i = 0; i < 300; ++i) {
        reference.push_back(i % 7 == 3 ? "x\r\n" + std::to_string(i) + "\r\n"
                                       : std::string(static_cast<std::size_t>(i % 3), '\r'));
        many.push_back(reference.back());
    }
    EXPECT_EQ(std::vector<std::string>(many.begin(), many.end()), reference);
    for (std::size_t i = 0; i < reference.size(); ++i)
        ASSERT_EQ(many[i], reference[i]) << i;

    std::vector<std::string> seen;
    for (std::string_view line : CTextLines{"p", "q"})
        seen.emplace_back(line);
    EXPECT_EQ(seen, (std::vector<std::string>{"p", "q"}));
    lines.clear();
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(lines, CTextLines{});
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
