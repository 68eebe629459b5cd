// The novel-folder file list on a real folder tree with Japanese names (also ones whose second
// Shift-JIS byte is a backslash), mixed letter case and subfolders. Natively it runs on the
// POSIX listing, under Wine on FindFirstFileExW and GetShortPathNameW.
#include "TempFolder.h"

#include "novel/FileAccess.h"
#include "novel/FolderFiles.h"
#include "novel/ShiftJis.h"

#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::test;
using platform::ShortNameAnswer;

namespace {

std::string Utf8(const std::u16string& text) { return sjis::Utf16ToUtf8(text); }

std::vector<std::string> Utf8List(const std::vector<std::u16string>& entries) {
    std::vector<std::string> list;
    for (const auto& entry : entries)
        list.push_back(Utf8(entry));
    return list;
}

class NovelFolderTree : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"BG01.JPG", "alpha long.bmp", "Zeta Long.bmp", "Longer Name.Png",
                                 "notes.txt", "a.bmp.txt", "bg/Room Night.jpg", "bg/Sunset.JPG",
                                 "Deep/er/X.BMP", "ソ表/能.bmp", "ソ表/予定.txt"}) {
            const std::filesystem::path path = folder_ / PathFromUtf8(name);
            std::filesystem::create_directories(path.parent_path());
            TempFolder::Write(path, "x");
        }
    }
    TempFolder folder_;
};

TEST_F(NovelFolderTree, GraphicDialogList) {
    const auto entries = ListNovelFolderFiles(folder_.Path(), {u"*.bmp", u"*.jpg", u"*.png"});
    // Valid short names are lower-cased (BG01.JPG, Sunset.JPG, X.BMP), others keep their case;
    // folder parts always do. Sorted without regard to case: "bg01" before "bg\", "Zeta" last
    // of the Latin names.
    EXPECT_EQ(Utf8List(entries),
              (std::vector<std::string>{"alpha long.bmp", "bg01.jpg", "bg\\Room Night.jpg",
                                        "bg\\sunset.jpg", "Deep\\er\\x.bmp", "Longer Name.Png",
                                        "Zeta Long.bmp", "ソ表\\能.bmp"}));
    // The Japanese entry converts to Shift-JIS intact: its 0x5C trail bytes are not separators.
    const std::string sj = sjis::FromUtf16(entries.back());
    EXPECT_EQ(sj, "\x83\x5C\x95\x5C\\\x94\x5C.bmp");
    EXPECT_EQ(FileNameStart(entries.back()), 3u);
    EXPECT_EQ(FileNameStart(u"bg01.jpg"), 0u);
}

#ifdef _WIN32
TEST_F(NovelFolderTree, WindowsAnswersTheShortNameQuestion) {
    // A valid short name is its own short name on any volume; a long one has an alias where
    // the volume keeps them (Wine makes them up), else it is its own as well.
    EXPECT_EQ(platform::CompareShortName(folder_ / "BG01.JPG"), ShortNameAnswer::SameAsName);
    EXPECT_NE(platform::CompareShortName(folder_ / "bg" / "Room Night.jpg"),
              ShortNameAnswer::Unknown);
    EXPECT_EQ(platform::CompareShortName(folder_ / "missing.bmp"), ShortNameAnswer::Unknown);
}
#endif

TEST_F(NovelFolderTree, TextWindowListLowerCasesEveryFileName) {
    EXPECT_EQ(Utf8List(ListTextWindowPictures(folder_.Path())),
              (std::vector<std::string>{"alpha long.bmp", "Deep\\er\\x.bmp", "longer name.png",
                                        "zeta long.bmp", "ソ表\\能.bmp"}));
}

TEST_F(NovelFolderTree, PatternsInTurnAndMissingFolders) {
    // A file that two patterns match comes twice, as two searches find it.
    EXPECT_EQ(ListNovelFolderFiles(folder_.Path(), {u"*.png", u"longer*"}).size(), 2u);
    EXPECT_TRUE(ListNovelFolderFiles(folder_ / "missing", {u"*.bmp"}).empty());
}

TEST(FolderFiles, PatternsMatchWithoutRegardToCase) {
    const struct {
        const char16_t* name;
        const char16_t* pattern;
        bool matches;
    } cases[] = {{u"a.BMP", u"*.bmp", true},    {u"a.bmpx", u"*.bmp", false},
                 {u".bmp", u"*.bmp", true},     {u"a.bmp.txt", u"*.bmp", false},
                 {u"表.png", u"*.png", true},   {u"ab.wav", u"?b.*", true},
                 {u"b.wav", u"?b.*", false},    {u"aaaa", u"*a*a*a*a*", true},
                 {u"aaa", u"*a*a*a*a*", false}, {u"", u"*", true}};
    for (const auto& c : cases)
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches)
            << Utf8(c.name) << " " << Utf8(c.pattern);
}

TEST(FolderFiles, ShortNameRule) {
    const struct {
        const char16_t* name;
        bool valid;
    } cases[] = {{u"BG01.JPG", true},        {u"bg01.jpg", true},       {u"Sunset.JPG", true},
                 {u"12345678.123", true},    {u"123456789.jpg", false}, {u"a.jpeg", false},
                 {u"Room Night.jpg", false}, {u"a+b.bmp", false},       {u"a.b.c", false},
                 {u".bmp", false},           {u"noext", true},          {u"a.", false},
                 {u"表ソ.bmp", true},        {u"少女少女a.bmp", false}, // 9 Shift-JIS bytes
                 {u"x$%'-_@~.`!(", true},    {u"é.bmp", false}};        // no é in code page 932
    for (const auto& c : cases)
        EXPECT_EQ(IsValidShortName(c.name), c.valid) << Utf8(c.name);
}

TEST(FolderFiles, FileSystemAnswersDecideOnceItGivesAliases) {
    const auto decide = [](std::vector<FoundFile> files) {
        LowerCaseShortNames(files);
        std::vector<std::string> out;
        for (const auto& f : files)
            out.push_back(Utf8(f.entry));
        return out;
    };
    // A volume with short names: one file shows an alias, so every answer counts, also where
    // the 8.3 rule of this program would differ (a Japanese name the volume gave an alias).
    EXPECT_EQ(decide({{u"bg\\Room Night.jpg", 3, ShortNameAnswer::Differs},
                      {u"BG01.JPG", 0, ShortNameAnswer::SameAsName},
                      {u"少女A.PNG", 0, ShortNameAnswer::Differs},
                      {u"Odd Name.JPG", 0, ShortNameAnswer::SameAsName},
                      {u"CAPS.BMP", 0, ShortNameAnswer::Unknown}}),
              (std::vector<std::string>{"bg\\Room Night.jpg", "bg01.jpg", "少女A.PNG",
                                        "odd name.jpg", "caps.bmp"}));
    // A volume without short names answers "the same" for every file: the 8.3 rule decides.
    EXPECT_EQ(decide({{u"bg\\Room Night.jpg", 3, ShortNameAnswer::SameAsName},
                      {u"BG01.JPG", 0, ShortNameAnswer::SameAsName},
                      {u"少女A.PNG", 0, ShortNameAnswer::SameAsName}}),
              (std::vector<std::string>{"bg\\Room Night.jpg", "bg01.jpg", "少女a.png"}));
}

TEST(FolderFiles, SortIgnoresCaseAndKeepsAFixedOrder) {
    std::vector<std::u16string> names{u"b", u"A", u"a", u"B", u"_", u"表"};
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    EXPECT_EQ(Utf8List(names), (std::vector<std::string>{"_", "A", "a", "B", "b", "表"}));
}

} // namespace
