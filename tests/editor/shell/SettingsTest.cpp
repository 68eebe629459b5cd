#include "editor/shell/Settings.h"
#include "MemoryProfileFile.h"
#include "editor/shell/RecentFiles.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace miravo;
using miravo::test::MemoryProfileFile;

TEST(SettingsValues, IntegersParseWholeDecimalValuesOnly) {
    EXPECT_EQ(ParseInteger(u"970"), 970);
    EXPECT_EQ(ParseInteger(u"  -12 "), -12);
    EXPECT_EQ(ParseInteger(u"+7"), 7);
    EXPECT_EQ(ParseInteger(u"2147483647"), std::numeric_limits<int>::max());
    EXPECT_EQ(ParseInteger(u"-2147483648"), std::numeric_limits<int>::min());
    const char16_t* bad[] = {u"",           u" ",           u"-",
                             u"12a",        u"1 2",         u"0x10",
                             u"2147483648", u"-2147483649", u"99999999999999999999",
                             u"１２"};
    for (std::size_t i = 0; i < std::size(bad); ++i)
        EXPECT_FALSE(ParseInteger(bad[i]).has_value()) << "case " << i;
}

TEST(SettingsValues, AbsentOrUnreadableValuesGiveTheDefault) {
    MemoryProfileFile file;
    EXPECT_EQ(ReadInteger(file, "S", "K", 42), 42);
    file.WriteString("S", "K", u"junk");
    EXPECT_EQ(ReadInteger(file, "S", "K", 42), 42);
    WriteInteger(file, "S", "K", -5);
    EXPECT_EQ(file.ReadString("S", "K"), u"-5");
    EXPECT_EQ(ReadInteger(file, "s", "k", 42), -5);

    EXPECT_TRUE(ReadBool(file, "S", "B", true));
    WriteBool(file, "S", "B", false);
    EXPECT_EQ(file.ReadString("S", "B"), u"0");
    EXPECT_FALSE(ReadBool(file, "S", "B", true));
    file.WriteString("S", "B", u"2"); // anything but 0 is true
    EXPECT_TRUE(ReadBool(file, "S", "B", false));
}

TEST(SettingsFirstRun, SetBelowTheSavedVersionOfThisEditor) {
    MemoryProfileFile file;
    EXPECT_TRUE(ReadFirstRunFlag(file));
    file.WriteString("Version", "SavedVersion", u"969");
    EXPECT_TRUE(ReadFirstRunFlag(file));
    file.WriteString("Version", "SavedVersion", u"garbage");
    EXPECT_TRUE(ReadFirstRunFlag(file));
    WriteSavedVersion(file);
    EXPECT_EQ(file.ReadString("Version", "SavedVersion"), u"970");
    EXPECT_FALSE(ReadFirstRunFlag(file));
    file.WriteString("Version", "SavedVersion", u"1000"); // a later version ran: not first
    EXPECT_FALSE(ReadFirstRunFlag(file));
}

TEST(SettingsRecentFiles, OnlyTheFirstTenAreWrittenMostRecentAsOne) {
    RecentFiles files;
    for (int i = 1; i <= 12; ++i) {
        std::string name = "C:\\n\\" + std::to_string(i) + ".mve";
        files.Add(std::u16string(name.begin(), name.end()));
    }
    MemoryProfileFile file;
    WriteRecentFiles(file, files);
    EXPECT_EQ(file.KeyCount("RecentFiles"), 10u);
    EXPECT_EQ(file.ReadString("RecentFiles", "1"), u"C:\\n\\12.mve");
    EXPECT_EQ(file.ReadString("RecentFiles", "10"), u"C:\\n\\3.mve");
    EXPECT_FALSE(file.ReadString("RecentFiles", "11").has_value());

    RecentFiles restored;
    ReadRecentFiles(file, restored);
    ASSERT_EQ(restored.Count(), 10u);
    EXPECT_EQ(restored.Paths().front(), u"C:\\n\\12.mve");
    EXPECT_EQ(restored.Paths().back(), u"C:\\n\\3.mve");
}

TEST(SettingsRecentFiles, AShorterListLeavesNoKeyOfALongerOneBehind) {
    MemoryProfileFile file;
    for (int i = 1; i <= 10; ++i)
        file.WriteString("RecentFiles", std::to_string(i), u"old.mve");
    RecentFiles files;
    files.Add(u"ノベル.mve");
    WriteRecentFiles(file, files);
    EXPECT_EQ(file.KeyCount("RecentFiles"), 1u);
    EXPECT_EQ(file.ReadString("RecentFiles", "1"), u"ノベル.mve");
}

TEST(SettingsRecentFiles, ReadingTakesKeysOneToTenInOrderAndSkipsEmptyOnes) {
    MemoryProfileFile file;
    file.WriteString("RecentFiles", "3", u"third.mve");
    file.WriteString("RecentFiles", "1", u"first.mve");
    file.WriteString("RecentFiles", "2", u"");
    file.WriteString("RecentFiles", "10", u"tenth.mve");
    file.WriteString("RecentFiles", "11", u"eleventh.mve");
    file.WriteString("RecentFiles", "4", u"FIRST.MVE"); // a hand-edited duplicate
    EXPECT_EQ(ReadRecentFilePaths(file), (std::vector<std::u16string>{u"first.mve", u"third.mve",
                                                                      u"FIRST.MVE", u"tenth.mve"}));
    RecentFiles files;
    ReadRecentFiles(file, files);
    EXPECT_EQ(files.Paths(),
              (std::vector<std::u16string>{u"first.mve", u"third.mve", u"tenth.mve"}));
}
