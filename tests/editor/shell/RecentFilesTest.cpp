#include "editor/shell/RecentFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using miravo::RecentFiles;
using miravo::SamePathIgnoringCase;

namespace {

std::vector<std::u16string> Paths(std::initializer_list<const char16_t*> paths) {
    return std::vector<std::u16string>(paths.begin(), paths.end());
}

} // namespace

TEST(RecentFiles, AddPutsNewPathsOnTopAndMovesKnownOnesWithTheirStoredSpelling) {
    RecentFiles files;
    files.Add(u"C:\\Novels\\Story.mve");
    files.Add(u"C:\\Novels\\其の二.mve");
    files.Add(u"D:\\other.mve");
    EXPECT_EQ(files.Paths(),
              Paths({u"D:\\other.mve", u"C:\\Novels\\其の二.mve", u"C:\\Novels\\Story.mve"}));

    files.Add(u"c:\\NOVELS\\story.MVE");
    EXPECT_EQ(files.Paths(),
              Paths({u"C:\\Novels\\Story.mve", u"D:\\other.mve", u"C:\\Novels\\其の二.mve"}));

    files.Add(u"C:\\Novels\\Story.mve"); // already on top: nothing changes
    EXPECT_EQ(files.Count(), 3u);
    EXPECT_EQ(files.Paths().front(), u"C:\\Novels\\Story.mve");
}

TEST(RecentFiles, GrowsBeyondTenDuringARun) {
    RecentFiles files;
    for (int i = 0; i < 15; ++i) {
        std::string name = "novel" + std::to_string(i) + ".mve";
        files.Add(std::u16string(name.begin(), name.end()));
    }
    ASSERT_EQ(files.Count(), 15u);
    EXPECT_EQ(files.Paths().front(), u"novel14.mve");
    EXPECT_EQ(files.Paths().back(), u"novel0.mve");
}

TEST(RecentFiles, AssignKeepsOrderAndDropsEmptyAndDuplicatePaths) {
    RecentFiles files;
    files.Add(u"old.mve");
    files.Assign(Paths({u"A.mve", u"", u"b.mve", u"a.MVE", u"C.mve"}));
    EXPECT_EQ(files.Paths(), Paths({u"A.mve", u"b.mve", u"C.mve"}));
}

TEST(RecentFiles, LetterCaseIsIgnoredForLettersOnly) {
    EXPECT_TRUE(SamePathIgnoringCase(u"C:\\ABC\\x.mve", u"c:\\abc\\X.MVE"));
    EXPECT_TRUE(SamePathIgnoringCase(u"Ｓｔｏｒｙ.mve", u"ｓＴＯＲＹ.mve")); // full-width
    EXPECT_TRUE(SamePathIgnoringCase(u"ÉTÉ.mve", u"été.mve"));
    EXPECT_TRUE(SamePathIgnoringCase(u"ΑΒΓ", u"αβγ"));
    EXPECT_TRUE(SamePathIgnoringCase(u"ДОМ Ё", u"дом ё"));
    // Kana have no case; katakana and hiragana are different names.
    EXPECT_FALSE(SamePathIgnoringCase(u"ノベル.mve", u"のべる.mve"));
    EXPECT_FALSE(SamePathIgnoringCase(u"×", u"÷"));     // not a letter pair
    EXPECT_FALSE(SamePathIgnoringCase(u"[a]", u"{a}")); // ASCII neighbours of the letters
    EXPECT_FALSE(SamePathIgnoringCase(u"a.mve", u"a.mve "));
}
