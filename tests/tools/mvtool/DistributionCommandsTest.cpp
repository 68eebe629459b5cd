// mvtool collect, build and unpack, in-process: the same results as the build wizard's code.
#include "tests/novel/DistributionFixtures.h"
#include "tests/novel/SampleNovels.h"
#include "tests/novel/TempFolder.h"

#include "novel/ExeBuild.h"
#include "novel/FileAccess.h"
#include "novel/FileCollection.h"
#include "novel/NovelDocument.h"
#include "tools/mvtool/MvTool.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace miravo;
using namespace miravo::test;

namespace {

struct ToolRun {
    int code;
    std::string out, err;
};

ToolRun Mvtool(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunMvTool(args, out, err);
    return {code, out.str(), err.str()};
}

struct NovelFolder {
    TempFolder root;
    CNovelModel model;
    NovelFolder() {
        std::filesystem::create_directories(root / "novel/bgm");
        TempFolder::Write(root / "novel/bgm/a.ogg", "ogg data");
        TempFolder::Write(root / "runtime.exe", FakeProgramImage());
        TempFolder::Write(root / "engine.mvx", "engine");
        model.Items.Add().Text = CTextLines{".BGMPlay bgm\\a", ".GraphLoad ..\\x.png",
                                            ".GraphLoad " + Sj("無い.png"), ""};
        SaveNovelFile(model, Novel());
    }
    std::filesystem::path Novel() const { return root / "novel/story.mve"; }
    std::string U(const char* relative) const { return PathToUtf8(root / relative); }
};

} // namespace

TEST(MvToolDistribution, CollectAndCheck) {
    NovelFolder folder;
    ToolRun run = Mvtool({"collect", PathToUtf8(folder.Novel())});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "bgm\\a.ogg\n..\\x.png\n無い.png\n");
    run = Mvtool({"collect", PathToUtf8(folder.Novel()), "--check"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("mvtool: 開けないファイル: 無い.png\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("..\\x.png  (\"..\" を含む名前"), std::string::npos) << run.err;
}

TEST(MvToolDistribution, BuildsWhatTheWizardBuildsAndUnpacks) {
    NovelFolder folder;
    struct : ILoadNotices {
        void Notice(const LoadNotice&) override {}
    } notices;
    for (const bool separate : {false, true}) {
        std::vector<std::string> args{"build",
                                      PathToUtf8(folder.Novel()),
                                      folder.U("out/s.exe"),
                                      "--runtime",
                                      folder.U("runtime.exe"),
                                      "--sound",
                                      folder.U("engine.mvx"),
                                      "--seed",
                                      "99"};
        if (separate)
            args.push_back("--separate");
        const ToolRun run = Mvtool(args);
        // The missing file is only a warning when everything is packed.
        EXPECT_EQ(run.code, separate ? 1 : 0) << run.err;
        EXPECT_NE(run.out.find("   bgm\\a.ogg\n"), std::string::npos) << run.out << run.err;

        // The wizard's code with the same seed writes the same program.
        auto disk = MakeDiskFileSystem();
        NovelFolderFiles files(*disk, folder.root / "novel");
        std::vector<std::string> list;
        CNovelModel model;
        ParseNovel(model, TempFolder::Read(folder.Novel()), notices);
        CollectReferencedFiles(model, files, list);
        RecordingBuildView view;
        const ExeBuildPaths paths{folder.root / "runtime.exe", folder.root / "engine.mvx",
                                  folder.root / "scratch.tmp", folder.root / "novel",
                                  folder.root / "wizard/s.exe"};
        BuildExe(separate ? BuildMode::SeparateData : BuildMode::SingleFile, model, list, paths, 99,
                 *disk, view);
        EXPECT_TRUE(TempFolder::Read(folder.root / "out/s.exe") ==
                    TempFolder::Read(folder.root / "wizard/s.exe"));
    }

    const ToolRun list = Mvtool({"unpack", folder.U("out/s.exe")});
    EXPECT_EQ(list.code, 0) << list.err;
    EXPECT_EQ(list.out.substr(0, list.out.find('\t')), "autorun.mve");
    const ToolRun unpack = Mvtool({"unpack", folder.U("wizard/s.exe"), folder.U("unpacked")});
    EXPECT_EQ(unpack.code, 0) << unpack.err;
    EXPECT_TRUE(TempFolder::Read(folder.root / "unpacked/autorun.mve") ==
                TempFolder::Read(folder.Novel()));

    // The single-file program of the first round, unpacked, holds the data file and engine.
    Mvtool({"build", PathToUtf8(folder.Novel()), folder.U("one/s.exe"), "--runtime",
            folder.U("runtime.exe"), "--sound", folder.U("engine.mvx")});
    EXPECT_EQ(Mvtool({"unpack", folder.U("one/s.exe"), folder.U("one/x")}).code, 0);
    EXPECT_EQ(TempFolder::Read(folder.root / "one/x/bgm/a.ogg"), "ogg data");
    EXPECT_EQ(TempFolder::Read(folder.root / "one/x/MVSound.mvx"), "engine");

    EXPECT_EQ(Mvtool({"unpack", folder.U("runtime.exe")}).code, 1);
    EXPECT_EQ(Mvtool({"build", PathToUtf8(folder.Novel())}).code, 1);
    EXPECT_EQ(Mvtool({"build", PathToUtf8(folder.Novel()), "x.exe", "--seed", "2147483646"}).code,
              1);
}

TEST(MvToolDistribution, CheckPrintsEachFindingAtItsPlaceAndFailsOnlyOnErrors) {
    NovelFolder folder;
    ToolRun run = Mvtool({"check", PathToUtf8(folder.Novel())});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(
        run.out,
        "NewItem:-: エラー: リンク 1: リンク先が空です.\n"
        "NewItem:2: エラー: ファイル \"..\\x.png\": \"..\" を含む名前はノベルフォルダの外を指すため"
        "使えません.\n"
        "NewItem:3: エラー: ファイル \"無い.png\" が見つかりません.\n"
        "-:-: 警告: 開始アイテムが指定されていません. 最初のアイテム \"NewItem\" "
        "から始まります.\n");
    run = Mvtool({"check", PathToUtf8(folder.Novel()), "--json"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(
        run.out.find("\"severity\": \"error\",\n    \"item\": \"NewItem\",\n    \"itemIndex\": 0,\n"
                     "    \"line\": 3,"),
        std::string::npos)
        << run.out;

    // Warnings alone leave the novel fit to build.
    folder.model.Items[0] = CNovelItem();
    folder.model.Items[0].LinkType = kLinkEnding;
    SaveNovelFile(folder.model, folder.Novel());
    run = Mvtool({"check", PathToUtf8(folder.Novel())});
    EXPECT_EQ(run.code, 0) << run.out;
}
