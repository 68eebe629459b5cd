// File names as novels write them, and the playtest command line built from them.
#include "SampleNovels.h"

#include "novel/FileAccess.h"
#include "novel/NovelNames.h"
#include "novel/PlaytestCommandLine.h"

#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::test;

TEST(NovelNames, SafetyOfNames) {
    const struct {
        std::string name;
        NameSafety expected;
    } cases[] = {
        {"bg\\a.png", NameSafety::Safe},
        {Sj("表\\ソ.png"), NameSafety::Safe}, // trail bytes of a backslash are no separators
        {"a..b\\..c", NameSafety::Safe},
        {".\\a.png", NameSafety::Safe},
        {"..\\..\\Users\\me\\secret.txt", NameSafety::Parent},
        {"bgm\\..\\..\\x", NameSafety::Parent},
        {"bgm/../x", NameSafety::Parent},
        {"a\\...\\x", NameSafety::Parent},
        {"a\\. .\\x", NameSafety::Parent},
        {"..", NameSafety::Parent},
        {"C:\\secret.txt", NameSafety::Drive},
        {"c:secret.txt", NameSafety::Drive},
        {"a.txt:stream", NameSafety::Drive},
        {"\\\\host\\share\\x", NameSafety::Absolute},
        {"\\Windows\\win.ini", NameSafety::Absolute},
        {"/etc/passwd", NameSafety::Absolute},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckNameSafety(c.name), c.expected) << c.name;
        EXPECT_EQ(NameSafetyReason(c.expected).empty(), c.expected == NameSafety::Safe);
    }
}

TEST(NovelNames, LowerCaseKeepsDoubleByteCharacters) {
    EXPECT_EQ(LocaleLower("BGM\\Title.OGG"), "bgm\\title.ogg");
    // ア is 0x83 0x41: its trail byte is no "A". Full-width, Greek and Cyrillic capitals lower.
    EXPECT_EQ(LocaleLower(Sj("アＡＺΑΩАОЯ表X")), Sj("アａｚαωаоя表x"));
    EXPECT_EQ(WithExtension(Sj("C:\\表\\Story.mve"), ".mvb"), Sj("C:\\表\\Story.mvb"));
    EXPECT_EQ(WithExtension(Sj("a.b\\表"), ".OGG"), Sj("a.b\\表.OGG"));
    EXPECT_EQ(ExtensionOf("se\\x.Mp3"), ".Mp3");
    EXPECT_EQ(NameOfPath(Sj("C:\\表\\s.mve")), "s.mve");
    EXPECT_EQ(FolderOfPath(Sj("C:\\表\\s.mve")), Sj("C:\\表\\"));
    EXPECT_EQ(ResolveNovelName("/n", Sj("bgm\\表.ogg")),
              std::filesystem::path("/n/bgm") / PathFromUtf8("表.ogg"));
}

TEST(PlaytestCommandLine, PiecesInOrder) {
    const struct {
        const char* what;
        std::string programFolder, novelFolder, currentFile;
        PlaytestOptions options;
        std::string expected;
    } cases[] = {
        {"both options",
         "C:\\Tool\\",
         "C:\\Novels\\",
         "C:\\Novels\\Story.mve",
         {true, true},
         "\"C:\\Tool\\MiravoRun.exe\" /16 /debug \"*C:\\Novels\\\" \"C:\\Tool\\$testplay.tmp\" "
         "\"=c:\\novels\\story.mvb\" "},
        {"none",
         "C:\\Tool\\",
         "C:\\Novels\\",
         "C:\\Novels\\Story.mve",
         {},
         "\"C:\\Tool\\MiravoRun.exe\" \"*C:\\Novels\\\" \"C:\\Tool\\$testplay.tmp\" "
         "\"=c:\\novels\\story.mvb\" "},
        {"debug only",
         "C:\\T\\",
         "D:\\N\\",
         "D:\\N\\a.mve",
         {false, true},
         "\"C:\\T\\MiravoRun.exe\" /debug \"*D:\\N\\\" \"C:\\T\\$testplay.tmp\" "
         "\"=d:\\n\\a.mvb\" "},
        {"untitled at start",
         "C:\\T\\",
         "",
         Sj("無題"),
         {},
         "\"C:\\T\\MiravoRun.exe\" \"*\" \"C:\\T\\$testplay.tmp\" \"=" + Sj("無題") + ".mvb\" "},
        {"upper-case path",
         "C:\\PROG\\",
         "E:\\MY NOVELS\\",
         "E:\\MY NOVELS\\STORY.MVE",
         {},
         "\"C:\\PROG\\MiravoRun.exe\" \"*E:\\MY NOVELS\\\" \"C:\\PROG\\$testplay.tmp\" "
         "\"=e:\\my novels\\story.mvb\" "},
        {"Japanese folder",
         "C:\\T\\",
         Sj("C:\\作品\\アＡ表\\"),
         Sj("C:\\作品\\アＡ表\\ソ.MVE"),
         {},
         "\"C:\\T\\MiravoRun.exe\" \"*" + Sj("C:\\作品\\アＡ表\\") +
             "\" \"C:\\T\\$testplay.tmp\" \"=" + Sj("c:\\作品\\アａ表\\ソ.mvb") + "\" "},
    };
    for (const auto& c : cases) {
        const std::string line =
            PlaytestCommandLine(c.programFolder, c.novelFolder, c.currentFile, c.options);
        EXPECT_EQ(line, c.expected) << c.what;
        // The runtime reads back what the editor meant.
        const RuntimeArguments read = ParseRuntimeArguments(line);
        EXPECT_EQ(read.options.debug, c.options.debug) << c.what;
        EXPECT_EQ(read.options.hiColor, c.options.hiColor) << c.what;
        EXPECT_EQ(read.novelFolder, c.novelFolder) << c.what;
        EXPECT_EQ(read.novelFile, c.programFolder + "$testplay.tmp") << c.what;
        EXPECT_TRUE(read.reportFile.empty());
    }
}

TEST(PlaytestCommandLine, RuntimeReadsReportAndUnknownOptions) {
    const RuntimeArguments read =
        ParseRuntimeArguments("run.exe \"/report:C:\\a b\\r.txt\" /x  \"*C:\\n\\\"");
    EXPECT_EQ(read.reportFile, "C:\\a b\\r.txt");
    EXPECT_EQ(read.unknown, std::vector<std::string>{"/x"});
    EXPECT_EQ(read.novelFolder, "C:\\n\\");
    EXPECT_EQ(read.novelFile, ""); // no novel: the program's own package
}
