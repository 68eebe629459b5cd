// MVSound.mvx through its exports, loaded as a host loads it.
#include "tests/sound/support/SoundSamples.h"
#include "tests/sound/support/Waiting.h"
#include "tests/sound/support/Win32Files.h"
#include "tools/mvplay/SoundLibrary.h"
#include "vintara/Text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

using namespace soundtest;

namespace {

std::string Ansi(const char* utf8) { return vintara::Utf8ToAnsi(utf8); }

std::vector<std::string>& Reports() {
    static std::vector<std::string> reports;
    return reports;
}

void __cdecl KeepReport(const char* report) { Reports().emplace_back(report); }

std::string LibraryPath() { return mvplay::ProgramFolder() + MVSOUND_FROM_TESTS; }

class Exports : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sound.Load(LibraryPath(), error)) << error;
        Reports().clear();
        sound.SetErrorHandler(KeepReport);
    }
    void TearDown() override { sound.Finalize(); }

    void Initialize() { ASSERT_EQ(sound.Initialize(window.Handle()), 1); }

    CTestWindow window;
    mvplay::CSoundLibrary sound;
};

} // namespace

TEST_F(Exports, RevisionAndHandlerBeforeInitialize) {
    EXPECT_EQ(sound.GetRevision(), 1);
    EXPECT_EQ(sound.SetErrorHandler(nullptr), nullptr);
    EXPECT_EQ(sound.SetErrorHandler(KeepReport), KeepReport);
    EXPECT_EQ(sound.IsPlaying("never used"), 0);

    // Playing needs an initialized device: an error report and 0.
    CTempFile file(WaveFile(Tone{.seconds = 0.2}));
    EXPECT_EQ(sound.Play("se", file.Path().c_str(), 0), 0);
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0],
              Ansi("例外: class vintara::EException\n発生元: class vintara::CDXSound\n"
                   "詳細: サウンドデバイスが初期化されていません."));
    EXPECT_EQ(sound.PlayFromFilePartition("se", file.Path().c_str(), 0, 0, 100), 0);
    EXPECT_EQ(Reports().size(), 2u);
}

// Wine's audio driver for this process only: it is chosen when the process first uses audio.
class CNoAudioDriver {
public:
    CNoAudioDriver() {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Drivers", 0, nullptr, 0,
                        KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
        DWORD size = sizeof saved_ - 1;
        had_ = RegQueryValueExA(key_, "Audio", nullptr, nullptr, reinterpret_cast<BYTE*>(saved_),
                                &size) == ERROR_SUCCESS;
        RegSetValueExA(key_, "Audio", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    }
    ~CNoAudioDriver() {
        if (had_)
            RegSetValueExA(key_, "Audio", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_),
                           DWORD(std::strlen(saved_) + 1));
        else
            RegDeleteValueA(key_, "Audio");
        RegCloseKey(key_);
    }

private:
    HKEY key_ = nullptr;
    char saved_[256] = {};
    bool had_ = false;
};

TEST_F(Exports, AFailedInitializeIsReportedToo) {
    // Wine picks a process's audio driver at its first use of audio: the failing initialization
    // runs in a process of its own (this test again), started without a driver.
    if (GetEnvironmentVariableA("MVSOUND_TEST_NO_DRIVER", nullptr, 0) == 0) {
        CNoAudioDriver noDriver;
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string command =
            std::string("\"") + self + "\" --gtest_filter=Exports.AFailedInitializeIsReportedToo";
        SetEnvironmentVariableA("MVSOUND_TEST_NO_DRIVER", "1");
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child{};
        const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0,
                                            nullptr, nullptr, &startup, &child);
        SetEnvironmentVariableA("MVSOUND_TEST_NO_DRIVER", nullptr);
        ASSERT_TRUE(started);
        EXPECT_EQ(WaitForSingleObject(child.hProcess, 60000), WAIT_OBJECT_0);
        DWORD code = 1;
        GetExitCodeProcess(child.hProcess, &code);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
        EXPECT_EQ(code, 0u) << "see the child's output above";
        return;
    }
    EXPECT_EQ(sound.Initialize(window.Handle()), 0);
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0],
              Ansi("例外: class vintara::EException\n発生元: class vintara::CDXSound\n"
                   "詳細: DirectSoundCreate() 失敗"));
}

TEST_F(Exports, FailedPlaysReportWhatWentWrong) {
    Initialize();
    const std::string missing = "C:\\no\\such\\file.wav";
    EXPECT_EQ(sound.Play("se", missing.c_str(), 0), 0);
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0], Ansi("例外: class vintara::EFileOpenError\n発生元: class "
                                 "vintara::CFileStream\n詳細: ファイルを開けませんでした: ") +
                                "\"" + missing + "\"");

    CTempFile text(Bytes(200, 'x'));
    EXPECT_EQ(sound.Play("se", text.Path().c_str(), 0), 0);
    ASSERT_EQ(Reports().size(), 2u);
    EXPECT_EQ(Reports()[1], Ansi("例外: class vintara::EInvalidFileFormat\n発生元: 不明\n"
                                 "詳細: CreateSoundReader(): 対応していない音声フォーマットです."));

    // A window that misses the sound in the file.
    Bytes container(500, 0);
    Append(container, WaveFile(Tone{.seconds = 0.1}));
    CTempFile file(container);
    EXPECT_EQ(sound.PlayFromFilePartition("se", file.Path().c_str(), 0, 100, 1000), 0);
    EXPECT_EQ(Reports().size(), 3u);
    EXPECT_EQ(
        sound.PlayFromFilePartition("se", file.Path().c_str(), 0, 500, int(container.size()) - 500),
        1);

    // Null strings from a careless host are empty names and paths, not crashes.
    EXPECT_EQ(sound.Play(nullptr, nullptr, 0), 0);
    EXPECT_EQ(sound.IsPlaying(nullptr), 0);
    sound.Stop(nullptr);
    EXPECT_EQ(Reports().size(), 4u);

    // Without a handler a failure is only its 0.
    sound.SetErrorHandler(nullptr);
    EXPECT_EQ(sound.Play("se", missing.c_str(), 0), 0);
    EXPECT_EQ(Reports().size(), 4u);
}

TEST_F(Exports, TracksPlayReplaceMixStopAndFade) {
    Initialize();
    CTempFile longer(WaveFile(Tone{.seconds = 3}));
    CTempFile other(OggFile(Tone{.frequency = 660, .seconds = 3}));
    EXPECT_EQ(sound.Play("bgm", longer.Path().c_str(), 0), 1);
    EXPECT_EQ(sound.IsPlaying("bgm"), 1);
    EXPECT_EQ(sound.Play("bgm", other.Path().c_str(), 0), 1); // replaces
    EXPECT_EQ(sound.IsPlaying("bgm"), 1);
    EXPECT_EQ(sound.Play("BGM", longer.Path().c_str(), 200), 1); // another track
    EXPECT_EQ(sound.IsPlaying("BGM"), 1);
    sound.Stop("bgm");
    EXPECT_EQ(sound.IsPlaying("bgm"), 0);
    EXPECT_EQ(sound.IsPlaying("BGM"), 1);

    std::this_thread::sleep_for(std::chrono::milliseconds(400)); // the fade-in is over
    const auto start = std::chrono::steady_clock::now();
    sound.FadeOut("bgm", 5000); // not playing: returns at once
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
    sound.FadeOut("BGM", 300);
    EXPECT_TRUE(WaitUntil([&] { return sound.IsPlaying("BGM") == 0; }, 5));
    EXPECT_TRUE(Reports().empty());
}

TEST_F(Exports, LoopingAndVolumeBelongToTheNameAcrossPlays) {
    Initialize();
    CTempFile shortSound(WaveFile(Tone{.seconds = 0.2}));
    sound.SetLooping("se", 1); // before the track ever played
    sound.SetVolume("se", -5000);
    EXPECT_EQ(sound.Play("se", shortSound.Path().c_str(), 0), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    EXPECT_EQ(sound.IsPlaying("se"), 1);
    sound.SetLooping("se", 0);
    EXPECT_TRUE(WaitUntil([&] { return sound.IsPlaying("se") == 0; }, 5));
    EXPECT_EQ(sound.Play("se", shortSound.Path().c_str(), 0), 1);
    EXPECT_TRUE(WaitUntil([&] { return sound.IsPlaying("se") == 0; }, 5));
}

TEST_F(Exports, FinalizeStopsEverythingAndPlayingNeedsANewInitialize) {
    Initialize();
    CTempFile file(WaveFile(Tone{.seconds = 3}));
    EXPECT_EQ(sound.Play("a", file.Path().c_str(), 0), 1);
    EXPECT_EQ(sound.Play("b", file.Path().c_str(), 1000), 1);
    sound.Finalize();
    EXPECT_EQ(sound.IsPlaying("a"), 0);
    EXPECT_EQ(sound.IsPlaying("b"), 0);
    EXPECT_EQ(sound.Play("a", file.Path().c_str(), 0), 0);
    EXPECT_EQ(Reports().size(), 1u);
    Initialize();
    EXPECT_EQ(sound.Play("a", file.Path().c_str(), 0), 1);
}

// Nothing of the library holds the file any more: it opens without sharing.
bool Released(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

TEST(ExportsUnload, UnloadingWithoutFinalizeNeitherHangsNorCrashesAndReleasesTheTracks) {
    CTestWindow window;
    CTempFile file(WaveFile(Tone{.seconds = 0.3}));
    CTempFile longer(WaveFile(Tone{.seconds = 2}));
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        HMODULE module = LoadLibraryA(LibraryPath().c_str());
        ASSERT_NE(module, nullptr);
        auto resolve = [&](const char* name) {
            return reinterpret_cast<void*>(GetProcAddress(module, name));
        };
        auto initialize = reinterpret_cast<MVSoundInitializeProc>(resolve("MVSoundInitialize"));
        auto play = reinterpret_cast<MVSoundPlayProc>(resolve("MVSoundPlay"));
        ASSERT_EQ(initialize(window.Handle()), 1);
        if (round == 1) {
            ASSERT_EQ(play("se", file.Path().c_str(), 100), 1);
        } else if (round == 2) {
            ASSERT_EQ(play("se", longer.Path().c_str(), 0), 1);
            std::this_thread::sleep_for(std::chrono::milliseconds(2500)); // ended by itself
        } else if (round == 3) {
            // What a host must do: MVSoundFinalize, then the library goes at once, also from
            // a looping track.
            reinterpret_cast<MVSoundSetLoopingProc>(resolve("MVSoundSetLooping"))("bgm", 1);
            ASSERT_EQ(play("bgm", file.Path().c_str(), 0), 1);
            reinterpret_cast<MVSoundFinalizeProc>(resolve("MVSoundFinalize"))();
            FreeLibrary(module);
            EXPECT_EQ(GetModuleHandleA("MVSound.mvx"), nullptr);
            EXPECT_TRUE(Released(file.Path()));
            continue;
        }
        FreeLibrary(module); // without MVSoundFinalize
        // A playing sound keeps the library until its threads are done; then it goes, and
        // with it the tracks and the files they held.
        EXPECT_TRUE(WaitUntil([] { return GetModuleHandleA("MVSound.mvx") == nullptr; }, 10));
        EXPECT_TRUE(Released(file.Path()));
        EXPECT_TRUE(Released(longer.Path()));
    }
}
