// The build of both modes into a temporary folder, with a stand-in runtime.
#include "DistributionFixtures.h"
#include "SampleNovels.h"
#include "TempFolder.h"

#include "novel/EditorError.h"
#include "novel/FileAccess.h"
#include "novel/FileCollection.h"
#include "novel/MemoryFiles.h"
#include "novel/NovelDocument.h"
#include "novel/PackageReader.h"

#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::test;

namespace {

// The disk, but the output program takes no more than `limit` bytes.
class FullDisk : public IBuildFileSystem {
public:
    explicit FullDisk(std::int64_t limit) : disk_(MakeDiskFileSystem()), limit_(limit) {}
    bool FileExists(const std::filesystem::path& p) override { return disk_->FileExists(p); }
    std::unique_ptr<IInputFile> OpenRead(const std::filesystem::path& p) override {
        return disk_->OpenRead(p);
    }
    void CreateFolders(const std::filesystem::path& p) override { disk_->CreateFolders(p); }
    bool CopyFile(const std::filesystem::path& a, const std::filesystem::path& b) override {
        return disk_->CopyFile(a, b);
    }
    void WriteWholeFile(const std::filesystem::path& p, std::string_view b) override {
        disk_->WriteWholeFile(p, b);
    }
    std::unique_ptr<IOutputFile> OpenForAppending(const std::filesystem::path& p) override {
        class Limited : public IOutputFile {
        public:
            Limited(std::unique_ptr<IOutputFile> inner, std::int64_t left)
                : inner_(std::move(inner)), left_(left) {}
            void Write(const char* data, std::size_t size) override {
                if (std::int64_t(size) > left_)
                    throw FileWriteError("ディスクがいっぱいです.");
                left_ -= std::int64_t(size);
                inner_->Write(data, size);
            }
            std::int64_t Position() override { return inner_->Position(); }

        private:
            std::unique_ptr<IOutputFile> inner_;
            std::int64_t left_;
        };
        return std::make_unique<Limited>(disk_->OpenForAppending(p), limit_);
    }

private:
    std::unique_ptr<IBuildFileSystem> disk_;
    std::int64_t limit_;
};

// A novel folder, the editor's program folder and a file outside both.
struct BuildSetup {
    TempFolder root;
    CNovelModel model;
    std::vector<std::string> collected;
    ExeBuildPaths paths;

    explicit BuildSetup(bool withBadNames) {
        for (const char* folder : {"novel/Pic", "prog", "outside"})
            std::filesystem::create_directories(root / folder);
        TempFolder::Write(root / "novel/Pic/A.png", "PNG!"); // found in any letter case
        TempFolder::Write(root / "novel/se.ogg", std::string(5000, 'o'));
        TempFolder::Write(root / "novel/empty.wav", "");
        TempFolder::Write(root / "outside/s.txt", "secret");
        TempFolder::Write(root / "prog/MiravoRun.exe", FakeProgramImage());
        TempFolder::Write(root / "prog/MVSound.mvx", "engine");
        FillFullNovel(model);
        CNovelFileHeader& header = model.Header;
        for (std::string* name : {&header.LogoMidi, &header.LogoWave, &header.TitleGraphic,
                                  &header.TitleMidi, &header.TitleWave})
            name->clear();
        for (int w = 0; w < model.TextWindows.Count(); ++w)
            model.TextWindows[w].GraphicFile.clear();
        header.LogoGraphic = "Pic\\A.png";
        for (int i = 1; i < model.Items.Count(); ++i)
            model.Items[i].Text = CTextLines{Sj("文章です.")};
        model.Items[0].Text = CTextLines{".SoundPlay se", ".BGMPlay empty.wav"};
        if (withBadNames)
            model.Items[0].Text.push_back(
                ".GraphLoad missing.png\r\n.GraphLoad ..\\outside\\s.txt");
        model.Items[0].Text = CTextLines::Split(model.Items[0].Text.Joined());
        auto disk = MakeDiskFileSystem();
        NovelFolderFiles folder(*disk, root / "novel");
        CollectReferencedFiles(model, folder, collected);
        paths = {root / "prog/MiravoRun.exe", root / "prog/MVSound.mvx",
                 root / "prog/$testplay.tmp", root / "novel", root / "build/deep/Story.bin"};
    }
    std::filesystem::path Output() const { return root / "build/deep/Story.exe"; }
};

std::vector<std::string> EntryNames(const std::filesystem::path& program,
                                    std::string* novel = nullptr) {
    const std::string bytes = TempFolder::Read(program);
    MemoryInputFile input(bytes);
    const std::optional<PackageDirectory> directory = FindAppendedPackage(input);
    std::vector<std::string> names;
    if (!directory)
        return names;
    for (const PackageEntry& entry : directory->entries)
        names.push_back(entry.name);
    if (novel)
        *novel = ReadPackagedNovel(input, *directory);
    return names;
}

} // namespace

TEST(ExeBuild, SingleFilePacksWhatCanBeOpened) {
    BuildSetup setup(true);
    ASSERT_EQ(setup.collected, (std::vector<std::string>{"pic\\a.png", "se.ogg", "empty.wav",
                                                         "missing.png", "..\\outside\\s.txt"}));
    auto disk = MakeDiskFileSystem();
    RecordingBuildView view;
    const ExeBuildResult result =
        BuildExe(BuildMode::SingleFile, setup.model, setup.collected, setup.paths, 42, *disk, view);
    EXPECT_TRUE(result.success);
    EXPECT_TRUE(view.errors.empty());
    EXPECT_EQ(result.output, setup.Output());
    for (const char* line :
         {"ランタイムEXEをコピーしました", "ファイルチェック中...",
          "   ファイル missing.pngを開けません", "   ファイル ..\\outside\\s.txtを開けません",
          "ファイル結合中...", "   autorun.mve", "   pic\\a.png", "   MVSound.mvx"})
        EXPECT_TRUE(view.Logged(line)) << line;
    EXPECT_TRUE(view.Logged("      (" + NameSafetyReason(NameSafety::Parent) + ")"));
    EXPECT_EQ(view.log[0], "フォルダ作成: " + PathToUtf8(setup.Output().parent_path()));

    std::string novel;
    EXPECT_EQ(EntryNames(result.output, &novel),
              (std::vector<std::string>{"autorun.mve", "pic\\a.png", "se.ogg", "empty.wav",
                                        "MVSound.mvx"}));
    EXPECT_EQ(novel, SerializeNovel(setup.model));
    EXPECT_EQ(view.progress.front(), 0);
    EXPECT_EQ(view.progress.back(), 100);
    EXPECT_EQ(view.maximum, 100);
    const auto size = std::filesystem::file_size(result.output);
    EXPECT_EQ(
        result.summary,
        (std::vector<std::string>{
            "", "EXEファイル結合 モード", "",
            "以下の実行ファイルが作成されました :", "   " + PathToUtf8(result.output),
            "   ファイルサイズ: 0.0MB (" + WithThousandsSeparators(std::int64_t(size)) + "byte)"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(result.output.parent_path()), {}),
              1);

    // The same seed builds the same program.
    RecordingBuildView again;
    const auto first = TempFolder::Read(result.output);
    BuildExe(BuildMode::SingleFile, setup.model, setup.collected, setup.paths, 42, *disk, again);
    EXPECT_EQ(TempFolder::Read(result.output), first);
}

TEST(ExeBuild, SeparateDataCopiesBesideTheProgram) {
    for (const bool badNames : {false, true}) {
        BuildSetup setup(badNames);
        auto disk = MakeDiskFileSystem();
        RecordingBuildView view;
        const ExeBuildResult result = BuildExe(BuildMode::SeparateData, setup.model,
                                               setup.collected, setup.paths, 7, *disk, view);
        EXPECT_EQ(result.success, !badNames);
        EXPECT_EQ(EntryNames(result.output), std::vector<std::string>{"autorun.mve"});
        const auto folder = result.output.parent_path();
        EXPECT_EQ(TempFolder::Read(folder / "MVSound.mvx"), "engine");
        EXPECT_EQ(TempFolder::Read(folder / "pic/a.png"), "PNG!");
        EXPECT_TRUE(std::filesystem::exists(folder / "empty.wav"));
        EXPECT_FALSE(std::filesystem::exists(setup.root / "build/outside"));
        EXPECT_TRUE(view.Logged("   pic\\a.png"));
        EXPECT_EQ(view.progress.back(), int(setup.collected.size()) + 2);
        std::vector<std::string> summary{"", "EXEファイル+データファイル モード", ""};
        if (badNames) {
            EXPECT_TRUE(view.Logged("   コピー失敗: missing.png"));
            EXPECT_TRUE(view.Logged("   コピー失敗: ..\\outside\\s.txt"));
            EXPECT_TRUE(view.Logged("一部のファイルのコピーに失敗しました."));
            summary.insert(summary.end(), {"警告!!  作成中にエラーがありました.", ""});
        }
        summary.insert(
            summary.end(),
            {"以下の実行ファイルが作成されました :", "   " + PathToUtf8(result.output), "",
             std::to_string(setup.collected.size()) + " 個のデータファイルがコピーされました."});
        EXPECT_EQ(result.summary, summary);
    }
}

TEST(ExeBuild, EveryFailureEndsOnTheErrorSummary) {
    enum Fault { NoFolder, NoRuntime, NoSoundEngine, DiskFull };
    const struct {
        const char* what;
        Fault fault;
        BuildMode mode;
        bool errorBox;
        const char* logged;
    } cases[] = {
        {"output without folder", NoFolder, BuildMode::SingleFile, true, nullptr},
        {"output without folder", NoFolder, BuildMode::SeparateData, true, nullptr},
        {"missing runtime", NoRuntime, BuildMode::SingleFile, true, nullptr},
        {"missing runtime", NoRuntime, BuildMode::SeparateData, true, nullptr},
        {"missing engine", NoSoundEngine, BuildMode::SingleFile, true, nullptr},
        {"missing engine", NoSoundEngine, BuildMode::SeparateData, false,
         "MVSound.mvx のコピーに失敗しました."},
        {"write error", DiskFull, BuildMode::SingleFile, false, nullptr},
        {"write error", DiskFull, BuildMode::SeparateData, true, nullptr},
    };
    for (const auto& c : cases) {
        BuildSetup setup(false);
        if (c.fault == NoFolder)
            setup.paths.output = "Story.exe";
        if (c.fault == NoRuntime)
            std::filesystem::remove(setup.paths.runtime);
        if (c.fault == NoSoundEngine)
            std::filesystem::remove(setup.paths.soundEngine);
        FullDisk disk(c.fault == DiskFull ? 300 : std::int64_t(1) << 40);
        RecordingBuildView view;
        const ExeBuildResult result =
            BuildExe(c.mode, setup.model, setup.collected, setup.paths, 1, disk, view);
        EXPECT_FALSE(result.success) << c.what;
        EXPECT_EQ(view.errors.size(), c.errorBox ? 1u : 0u) << c.what;
        if (c.fault == NoFolder && !view.errors.empty()) {
            EXPECT_EQ(view.errors[0], kCannotCreateFolderMessage);
        }
        if (c.logged) {
            EXPECT_TRUE(view.Logged(c.logged)) << c.what;
        }
        if (c.fault == DiskFull && c.mode == BuildMode::SingleFile) {
            EXPECT_TRUE(view.Logged("作成エラー: " + PathToUtf8(setup.Output())));
        }
        const std::string mode = c.mode == BuildMode::SingleFile
                                     ? "EXEファイル結合 モード"
                                     : "EXEファイル+データファイル モード";
        if (c.errorBox || c.fault == DiskFull) {
            EXPECT_EQ(result.summary, (std::vector<std::string>{"", mode, "", kBuildFailedLine}))
                << c.what;
        } else {
            EXPECT_EQ(result.summary[3], "警告!!  作成中にエラーがありました.") << c.what;
        }
    }
}

TEST(ExeBuild, DefaultOutputAndLabels) {
    EXPECT_EQ(DefaultOutputPath("/n", "/n/Story.mve"), std::filesystem::path("/n/Exe/Story.exe"));
    EXPECT_EQ(TotalSizeLabel(1024 * 1500 + 1023), "合計ファイルサイズは 1500KB");
    EXPECT_EQ(WithThousandsSeparators(1234567), "1,234,567");
    EXPECT_EQ(WithThousandsSeparators(999), "999");
}
