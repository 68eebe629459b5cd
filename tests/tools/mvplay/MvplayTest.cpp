// mvplay.exe run as a program, with the engine beside it.
#include "tests/sound/support/SoundSamples.h"
#include "tests/sound/support/Win32Files.h"
#include "tools/mvplay/SoundLibrary.h"
#include "vintara/Text.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace soundtest;

namespace {

struct Outcome {
    int exitCode = -1;
    std::string output; // stdout and stderr together
};

std::string ReadFileBytes(const char* path) {
    std::string text;
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return text;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    std::fclose(file);
    return text;
}

// Runs mvplay with its output going to a file (a pipe could be held open by a process Wine
// starts for the audio device), waiting at most half a minute.
Outcome Mvplay(const std::string& arguments,
               const std::string& program = mvplay::ProgramFolder() + MVPLAY_FROM_TESTS) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    char name[MAX_PATH];
    GetTempFileNameA(folder, "mvp", 0, name);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process{};
    std::string line = "\"" + program + "\" " + arguments;
    Outcome run;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process.hProcess, &code);
            run.exitCode = int(code);
        } else {
            TerminateProcess(process.hProcess, 99); // a test's own child that hangs
        }
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(output);
    run.output = ReadFileBytes(name);
    DeleteFileA(name);
    return run;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// Seconds of the first line "<seconds> <what>" that mentions `what`, -1 if none.
double TimeOf(const std::string& output, const std::string& what) {
    const auto at = output.find(what);
    if (at == std::string::npos)
        return -1;
    const auto start = output.rfind('\n', at);
    return std::atof(output.c_str() + (start == std::string::npos ? 0 : start + 1));
}

} // namespace

TEST(Mvplay, UsageMistakesExitWithTwo) {
    Outcome run = Mvplay("");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("usage: mvplay FILE"), std::string::npos) << run.output;
    run = Mvplay("a.wav --volume loud");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("not a whole number: loud"), std::string::npos) << run.output;
}

TEST(Mvplay, PlaysAFileToItsEndAndPrintsTheChanges) {
    CTempFile wave(WaveFile(Tone{.seconds = 0.4}));
    const Outcome run = Mvplay(Quoted(wave.Path()));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    const double started = TimeOf(run.output, "IsPlaying 1");
    const double ended = TimeOf(run.output, "IsPlaying 0");
    EXPECT_GE(started, 0) << run.output;
    EXPECT_GE(ended - started, 0.4) << run.output;
    EXPECT_LT(ended - started, 1.5) << run.output;
}

TEST(Mvplay, LoopsForTheGivenSecondsAndFadesOutWhenAsked) {
    CTempFile ogg(OggFile(Tone{.rate = 22050, .channels = 1, .seconds = 0.3}));
    Outcome run = Mvplay(Quoted(ogg.Path()) + " --loop --seconds 1 --volume -2000 --track bgm");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("IsPlaying 1"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("IsPlaying 0"), std::string::npos) << run.output;

    run = Mvplay(Quoted(ogg.Path()) + " --loop --fade-in 200 --fade-out-at 400:300 --seconds 5");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    const double fade = TimeOf(run.output, "FadeOut 300");
    const double ended = TimeOf(run.output, "IsPlaying 0");
    EXPECT_GE(fade, 0.4) << run.output;
    EXPECT_GE(ended - fade, 0.3) << run.output;
    EXPECT_LT(ended, 4) << run.output;
}

TEST(Mvplay, PlaysAByteWindowOfAFile) {
    const Bytes wave = WaveFile(Tone{.seconds = 0.3});
    Bytes container(4096, 0x33);
    Append(container, wave);
    Append(container, Bytes(100, 0x44));
    CTempFile file(container);
    const Outcome run =
        Mvplay(Quoted(file.Path()) + " --window 4096 " + std::to_string(wave.size()));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("IsPlaying 0"), std::string::npos) << run.output;
}

TEST(Mvplay, PrintsTheEnginesErrorReport) {
    Outcome run = Mvplay("C:\\no\\such.wav");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find(vintara::Utf8ToAnsi("発生元: class vintara::CFileStream")),
              std::string::npos)
        << run.output;

    CTempFile text(Bytes(64, 'x'));
    run = Mvplay(Quoted(text.Path()));
    EXPECT_EQ(run.exitCode, 1);
    for (const char* line : {"例外: class vintara::EInvalidFileFormat", "発生元: 不明",
                             "詳細: CreateSoundReader(): 対応していない音声フォーマットです."})
        EXPECT_NE(run.output.find(vintara::Utf8ToAnsi(line)), std::string::npos) << run.output;
}

TEST(Mvplay, WithoutTheEngineBesideIt) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string copy = std::string(folder) + "mvplay-alone.exe";
    ASSERT_TRUE(
        CopyFileA((mvplay::ProgramFolder() + MVPLAY_FROM_TESTS).c_str(), copy.c_str(), FALSE));
    const Outcome run = Mvplay("x.wav", copy);
    DeleteFileA(copy.c_str());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("cannot load"), std::string::npos) << run.output;
}
