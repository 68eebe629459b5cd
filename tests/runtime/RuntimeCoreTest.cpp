// The runtime's portable part: the start screen, and a built program's novel and files found
// again from its own package.
#include "tests/novel/DistributionFixtures.h"
#include "tests/novel/SampleNovels.h"
#include "tests/novel/TempFolder.h"

#include "novel/EditorError.h"
#include "novel/FileAccess.h"
#include "novel/FileCollection.h"
#include "runtime/NovelSource.h"
#include "runtime/RuntimeReport.h"
#include "runtime/StartScreen.h"

#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::runtime;
using namespace miravo::test;

TEST(StartScreen, FirstPageEndsAtMarkOrNextPage) {
    const struct {
        const char* what;
        CTextLines text;
        std::string page;
    } cases[] = {
        {"mark", {".GraphLoad a.png", "one;", "two@three", "four"}, "one\r\ntwo"},
        {"next page", {"one", "", ".nextpage", "two"}, "one"},
        {"mark as trail byte", {Sj("ァ@ァ"), "x"}, Sj("ァ")},
        {"no end", {"a", "b", ""}, "a\r\nb"},
    };
    for (const auto& c : cases) {
        CNovelModel model;
        model.Items.Add().Name = "first";
        CNovelItem& start = model.Items.Add();
        start.Name = "start";
        start.Text = c.text;
        model.Header.StartItem = "start";
        EXPECT_EQ(StartScreenOf(model).firstPage, c.page) << c.what;
        EXPECT_EQ(StartScreenOf(model).itemName, "start");
        model.Header.StartItem = "gone";
        EXPECT_EQ(StartScreenOf(model).itemName, "first") << "falls back to the first item";
    }
}

TEST(NovelSource, BuiltProgramFindsItsNovelAndFiles) {
    TempFolder root;
    std::filesystem::create_directories(root / "novel/bg");
    TempFolder::Write(root / "novel/bg/a.png", "png");
    TempFolder::Write(root / "novel/b.ogg", "ogg");
    TempFolder::Write(root / "run.exe", FakeProgramImage());
    TempFolder::Write(root / "engine.mvx", "e");
    CNovelModel model;
    model.Header.Title = Sj("題名");
    model.Items.Add().Text = CTextLines{".GraphLoad bg\\a.png", ".BGMPlay b", ".GraphLoad c.png",
                                        ".GraphLoad ..\\x.png", Sj("文章")};
    auto disk = MakeDiskFileSystem();
    NovelFolderFiles folder(*disk, root / "novel");
    std::vector<std::string> list;
    CollectReferencedFiles(model, folder, list);
    RecordingBuildView view;
    for (const BuildMode mode : {BuildMode::SingleFile, BuildMode::SeparateData}) {
        const auto output = root / (mode == BuildMode::SingleFile ? "one/p.exe" : "two/p.exe");
        const ExeBuildPaths paths{root / "run.exe", root / "engine.mvx", root / "scratch",
                                  root / "novel", output};
        BuildExe(mode, model, list, paths, 3, *disk, view);
        LoadedNovel loaded;
        LoadNovel(ParseRuntimeArguments("p.exe /report:r.txt"), output, *disk, loaded);
        EXPECT_EQ(loaded.model.Header.Title, model.Header.Title);
        const std::string report = RuntimeReport({}, loaded, LocateDataFiles(loaded, *disk));
        const std::string where = mode == BuildMode::SingleFile ? "package" : "program folder";
        EXPECT_NE(report.find("Novel: package " + PathToUtf8(output) + "\n"), std::string::npos);
        EXPECT_NE(report.find("Title: 題名\n"), std::string::npos);
        EXPECT_NE(report.find("File: bg\\a.png = " + where + "\n"), std::string::npos) << report;
        EXPECT_NE(report.find("File: b.ogg = " + where + "\n"), std::string::npos) << report;
        EXPECT_NE(report.find("File: c.png = missing\n"), std::string::npos) << report;
        EXPECT_NE(report.find("File: ..\\x.png = refused ("), std::string::npos) << report;
        EXPECT_NE(report.find("Missing: 2\n"), std::string::npos) << report;
        // What the player reads and plays: the bytes of a packed or beside file, a sound by
        // its other extension, a packed sound as a byte window of the program.
        EXPECT_EQ(ReadDataFile(loaded, "bg\\a.png", *disk, 100), "png");
        EXPECT_EQ(ReadDataFile(loaded, "bg\\a.png", *disk, 2), std::nullopt) << "over the limit";
        EXPECT_EQ(ReadDataFile(loaded, "..\\x.png", *disk, 100), std::nullopt);
        const auto sound = FindSoundFile(loaded, "b.wav", *disk);
        ASSERT_TRUE(sound.has_value());
        if (mode == BuildMode::SingleFile) {
            EXPECT_EQ(sound->path, output);
            EXPECT_EQ(sound->length, 3);
            EXPECT_EQ(TempFolder::Read(output).substr(std::size_t(sound->offset), 3), "ogg");
        } else {
            EXPECT_EQ(sound->path, output.parent_path() / "b.ogg");
            EXPECT_EQ(sound->length, -1);
        }
        EXPECT_FALSE(FindSoundFile(loaded, "c.wav", *disk).has_value());
    }
    LoadedNovel none;
    EXPECT_THROW(LoadNovel({}, root / "run.exe", *disk, none), EditorError);
}
