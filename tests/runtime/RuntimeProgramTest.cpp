// Programs built from the sample novel in both modes, and a playtest start, each run with
// "/report:" under Wine: the runtime finds its novel and every data file it names.
#include "tests/novel/DistributionFixtures.h"
#include "tests/novel/TempFolder.h"

#include "novel/FileAccess.h"
#include "novel/FileCollection.h"
#include "novel/NovelDocument.h"
#include "novel/PlaytestCommandLine.h"
#include "novel/ShiftJis.h"

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
