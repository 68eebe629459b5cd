// Programs built from the sample novel in both modes, and a playtest start, each run with
// "/report:" under Wine: the runtime finds its novel and every data file it names.
#include "tests/novel/DistributionFixtures.h"
#include "tests/novel/TempFolder.h"

#include "novel/FileAccess.h"
#include "novel/FileCollection.h"
#include "novel/NovelDocument.h"
#include "novel/PlaytestCommandLine.h"
#include "novel/ShiftJis.h"
#include "picture/PictureReaders.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace miravo;
using namespace miravo::test;

namespace {

// The build tree's Unix paths, seen through drive Z:.
std::filesystem::path BuildTreePath(const char* path) {
    return PathFromUtf8(std::string("Z:") + path);
}

std::wstring Wide(const std::string& utf8) {
    const std::u16string text = sjis::Utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

// Starts the command line and waits for the program; its exit code, or -1.
int RunAndWait(const std::string& utf8CommandLine) {
    std::wstring line = Wide(utf8CommandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    DWORD code = DWORD(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return int(code);
}

struct Sample {
    std::filesystem::path folder = BuildTreePath(MIRAVO_BUILT_SAMPLES);
    CNovelModel model;
    std::vector<std::string> collected;
    Sample() {
        struct : ILoadNotices {
            void Notice(const LoadNotice&) override {}
        } notices;
        LoadNovelFile(model, folder / "sample.mve", notices);
        auto disk = MakeDiskFileSystem();
        NovelFolderFiles files(*disk, folder);
        CollectReferencedFiles(model, files, collected);
    }
};

void ExpectEveryFileAt(const std::string& report, const Sample& sample, const std::string& where) {
    EXPECT_NE(report.find("Title: 夏の終わりの図書室\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Missing: 0\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Files: " + std::to_string(sample.collected.size()) + "\n"),
              std::string::npos);
    for (const std::string& name : sample.collected)
        EXPECT_NE(report.find("File: " + sjis::ToUtf8(name) + " = " + where + "\n"),
                  std::string::npos)
            << sjis::ToUtf8(name);
}

} // namespace

TEST(RuntimeProgram, BuiltProgramsReportEveryDataFile) {
    Sample sample;
    ASSERT_GT(sample.collected.size(), 10u);
    TempFolder temp;
    auto disk = MakeDiskFileSystem();
    for (const BuildMode mode : {BuildMode::SingleFile, BuildMode::SeparateData}) {
        const bool single = mode == BuildMode::SingleFile;
        const ExeBuildPaths paths{BuildTreePath(MIRAVO_RUNTIME_PROGRAM),
                                  BuildTreePath(MIRAVO_SOUND_ENGINE), temp / "$testplay.tmp",
                                  sample.folder, temp / (single ? "one" : "two") / "story.exe"};
        RecordingBuildView view;
        const ExeBuildResult result =
            BuildExe(mode, sample.model, sample.collected, paths, 11, *disk, view);
        ASSERT_TRUE(result.success) << view.log.back();
        const auto report = temp / (single ? "one.txt" : "two.txt");
        EXPECT_EQ(RunAndWait("\"" + PathToUtf8(result.output) +
                             "\" \"/report:" + PathToUtf8(report) + "\""),
                  0);
        const std::string text = TempFolder::Read(report);
        EXPECT_NE(text.find("Novel: package " + PathToUtf8(result.output) + "\n"),
                  std::string::npos)
            << text;
        ExpectEveryFileAt(text, sample, single ? "package" : "program folder");
    }
}

TEST(RuntimeProgram, PlaytestCommandLine) {
    Sample sample;
    TempFolder programFolder;
    ASSERT_TRUE(std::filesystem::copy_file(BuildTreePath(MIRAVO_RUNTIME_PROGRAM),
                                           programFolder / "MiravoRun.exe"));
    SaveNovelFile(sample.model, programFolder / "$testplay.tmp");
    const auto ansi = [](std::filesystem::path path) {
        return sjis::FromUtf8(PathToUtf8(path.make_preferred()));
    };
    const std::string line =
        PlaytestCommandLine(ansi(programFolder.Path()) + "\\", ansi(sample.folder) + "\\",
                            ansi(sample.folder / "Sample.MVE"), PlaytestOptions{true, true});
    const auto report = programFolder / "report.txt";
    EXPECT_EQ(RunAndWait(sjis::ToUtf8(line) + "\"/report:" + PathToUtf8(report) + "\""), 0);
    const std::string text = TempFolder::Read(report);
    EXPECT_NE(text.find("Novel: file " + PathToUtf8(programFolder / "$testplay.tmp") + "\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Options: /16 /debug\n"), std::string::npos) << text;
    EXPECT_NE(text.find("sample.mvb\n"), std::string::npos) << text;
    ExpectEveryFileAt(text, sample, "novel folder");
}

// A program built from the sample novel plays it from its package to each ending, answering
// every click at once and taking the listed choices; the trace shows the path.
TEST(RuntimeProgram, BuiltProgramPlaysTheSampleToEachEnding) {
    Sample sample;
    TempFolder temp;
    auto disk = MakeDiskFileSystem();
    const ExeBuildPaths paths{BuildTreePath(MIRAVO_RUNTIME_PROGRAM),
                              BuildTreePath(MIRAVO_SOUND_ENGINE), temp / "$testplay.tmp",
                              sample.folder, temp / "play" / "story.exe"};
    RecordingBuildView view;
    const ExeBuildResult result =
        BuildExe(BuildMode::SingleFile, sample.model, sample.collected, paths, 11, *disk, view);
    ASSERT_TRUE(result.success) << view.log.back();
    const struct {
        const char* choices;
        std::vector<const char*> expected; // in this order
    } plays[] = {
        {"2",
         {"Choices: 1.扉を開ける | 2.今日は帰る", "Chose: 今日は帰る", "Item: 帰り道",
          "Page: 【エンド１　：　何もなかった夏】", "Ending: 帰り道"}},
        {"1,1,2",
         {"Item: 本棚", "Counter: 手がかり = 1", "Item: 古い日記", "Chose: そっと棚に戻す",
          "Ending: ノーマルエンド"}},
        {"1,2,1,1",
         {"Item: 会話", "Choices: 1.一緒に探そうか | 2.そろそろ帰るよ", "Counter: 好感度 = 3",
          "Choices: 1.一緒に帰ろう | 2.また明日", "Ending: ハッピーエンド"}},
        {"1,1,1,1",
         {"Choices: 1.日記の続きを読もう | 2.また明日", "Item: 真相",
          "Command: .BGMPlay \"bgm\\title.ogg\" 1000", "Ending: エピローグ"}},
    };
    int run = 0;
    for (const auto& play : plays) {
        const auto trace = temp / ("trace" + std::to_string(run++) + ".txt");
        EXPECT_EQ(RunAndWait("\"" + PathToUtf8(result.output) + "\" /auto:" + play.choices +
                             " \"/trace:" + PathToUtf8(trace) + "\""),
                  0);
        const std::string text = TempFolder::Read(trace);
        EXPECT_TRUE(text.starts_with("Title: 夏の終わりの図書室\nItem: プロローグ\n")) << text;
        EXPECT_EQ(text.find("Skipped:"), std::string::npos) << text;
        std::size_t at = 0;
        for (const char* line : play.expected) {
            const std::size_t found = text.find(std::string(line) + "\n", at);
            EXPECT_NE(found, std::string::npos) << play.choices << ": " << line << "\n" << text;
            if (found != std::string::npos)
                at = found;
        }
    }
}

namespace {

// The lines of a trace that say what the reader saw: items, pages, menus and the ending.
std::string SeenLines(const std::string& trace) {
    std::string seen;
    std::size_t start = 0;
    while (start < trace.size()) {
        const std::size_t end = trace.find('\n', start);
        const std::string line = trace.substr(start, end - start);
        for (const char* kind : {"Item: ", "Page: ", "Choices: ", "Ending: "})
            if (line.starts_with(kind))
                seen += line + "\n";
        start = end == std::string::npos ? trace.size() : end + 1;
    }
    return seen;
}

int CountColour(const CRaster& raster, std::uint32_t colour, int left, int top, int right,
                int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += raster.ColorAt(x, y) == colour;
    return count;
}

} // namespace

// The playtest opens the window and plays with the reader's clicks answered at once: the same
// pages and menus as without a window, and screenshots of a page and of a menu.
TEST(RuntimeProgram, WindowPlaysTheSampleAndSavesScreens) {
    Sample sample;
    TempFolder temp;
    const auto windows = [](std::filesystem::path path) {
        return PathToUtf8(path.make_preferred());
    };
    const std::string program = "\"" + PathToUtf8(BuildTreePath(MIRAVO_RUNTIME_PROGRAM)) +
                                "\" \"*" + windows(sample.folder) + "\\\" \"" +
                                windows(sample.folder / "sample.mve") +
                                "\" \"=" + windows(temp / "sample.mvb") + "\" /auto:1,2 ";
    const auto menu = temp / "menu.png";
    const auto page = temp / "page.png";
    ASSERT_EQ(RunAndWait(program + "\"/trace:" + windows(temp / "window.txt") +
                         "\" \"/shot:6:" + windows(menu) + "\" \"/shot:7:" + windows(page) + "\""),
              0);
    ASSERT_EQ(RunAndWait(program + "\"/trace:" + windows(temp / "plain.txt") + "\""), 0);
    const std::string windowTrace = TempFolder::Read(temp / "window.txt");
    EXPECT_EQ(SeenLines(windowTrace), SeenLines(TempFolder::Read(temp / "plain.txt")));
    EXPECT_NE(windowTrace.find("Ending: ハッピーエンド\n"), std::string::npos) << windowTrace;
    EXPECT_EQ(windowTrace.find("Missing:"), std::string::npos) << windowTrace;
    EXPECT_NE(windowTrace.find("Counter: 周回 = 1\n"), std::string::npos) << windowTrace;

    // The counter carried over is saved at the ending and counts on in the next play; a damaged
    // save is reported and left alone.
    // (Both plays so far, with and without the window, counted on.)
    EXPECT_TRUE(TempFolder::Read(temp / "sample.mvb").starts_with("MiravoSave 1\ncarry 2 x"));
    ASSERT_EQ(RunAndWait(program + "\"/trace:" + windows(temp / "second.txt") + "\""), 0);
    const std::string second = TempFolder::Read(temp / "second.txt");
    EXPECT_NE(second.find("Counter: 周回 = 3\n"), std::string::npos) << second;
    TempFolder::Write(temp / "sample.mvb", "MiravoSave 1\ncarry");
    ASSERT_EQ(RunAndWait(program + "\"/trace:" + windows(temp / "third.txt") + "\""), 0);
    const std::string third = TempFolder::Read(temp / "third.txt");
    EXPECT_NE(third.find("Save: damaged "), std::string::npos) << third;
    EXPECT_NE(third.find("Counter: 周回 = 1\n"), std::string::npos) << third;

    // Text in the novel's white inside the message window's rectangle, different pictures.
    const CPicture menuShot = LoadPictureFile(menu);
    const CPicture pageShot = LoadPictureFile(page);
    for (const CPicture* shot : {&menuShot, &pageShot}) {
        ASSERT_EQ(shot->raster.Width(), 640);
        ASSERT_EQ(shot->raster.Height(), 480);
        EXPECT_GT(CountColour(shot->raster, 0xFFFFFF, 40, 350, 600, 460), 200);
    }
    EXPECT_NE(menuShot.raster.ColorAt(320, 150), pageShot.raster.ColorAt(320, 150));
}

// "/debug" says a missing picture and sound in the text window; the play goes on to its ending.
// A font colour changed under them leaves the notices as they were and colours the line after.
TEST(RuntimeProgram, DebugShowsMissingFilesInTheTextWindow) {
    Sample sample;
    TempFolder temp;
    const auto windows = [](std::filesystem::path path) {
        return PathToUtf8(path.make_preferred());
    };
    CNovelItem& start =
        sample.model.Items[sample.model.Items.IndexOf(sample.model.Header.StartItem)];
    CTextLines text{".GraphLoad \"nothere.png\"", ".SoundPlay \"nothere.wav\"",
                    ".FontColor 0 255 0", "Green line"};
    for (const std::string_view line : start.Text)
        text.push_back(line);
    start.Text = std::move(text);
    SaveNovelFile(sample.model, temp / "missing.mve");
    const auto shot = temp / "notice.png";
    const auto title = temp / "title.png";
    ASSERT_EQ(RunAndWait("\"" + PathToUtf8(BuildTreePath(MIRAVO_RUNTIME_PROGRAM)) +
                         "\" /debug \"*" + windows(sample.folder) + "\\\" \"" +
                         windows(temp / "missing.mve") + "\" \"=" + windows(temp / "missing.mvb") +
                         "\" /auto:2 \"/trace:" + windows(temp / "trace.txt") +
                         "\" \"/shot:1:" + windows(shot) + "\" \"/shot:0:" + windows(title) + "\""),
              0);
    const std::string trace = TempFolder::Read(temp / "trace.txt");
    EXPECT_NE(trace.find("Missing: nothere.png\n"), std::string::npos) << trace;
    EXPECT_NE(trace.find("Missing: nothere.wav\n"), std::string::npos) << trace;
    EXPECT_NE(trace.find("Page: ファイルが見つかりません: nothere.png / "
                         "ファイルが見つかりません: nothere.wav / Green line\n"),
              std::string::npos)
        << trace;
    EXPECT_NE(trace.find("Ending: 帰り道\n"), std::string::npos) << trace;
    // The notices are text in the novel's white, in the standard text window (the page is
    // shown once the item's first picture has come); the line below them is green.
    const CPicture notice = LoadPictureFile(shot);
    EXPECT_GT(CountColour(notice.raster, 0xFFFFFF, 32, 32, 608, 200), 200);
    EXPECT_GT(CountColour(notice.raster, 0x00FF00, 32, 32, 608, 200), 100);
    // "/shot:0:" is the title screen: its entries in white.
    const CPicture titleShot = LoadPictureFile(title);
    EXPECT_GT(CountColour(titleShot.raster, 0xFFFFFF, 200, 320, 440, 460), 100);
}
