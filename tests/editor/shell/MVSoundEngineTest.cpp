// The binding with the real sound engine: under Wine's DirectSound on the session's null sink
// it becomes active, previews a file, and closing while the preview plays finalizes and unloads
// the engine without a hang or a late crash.
#include "editor/shell/MVSound.h"
#include "editor/shell/UserInteraction.h"
#include "novel/ShiftJis.h"
#include "tests/editor/support/GuiDriver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

using namespace miravo;

namespace {

class RecordingUi : public IUserInteraction {
public:
    MessageResult ShowMessage(const MessageRequest& request) override {
        shown.push_back(request.text.Utf8());
        return MessageResult::Ok;
    }
    std::vector<std::string> shown;
};

void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Two seconds of a quiet 440 Hz tone as 16-bit mono WAVE.
std::string ToneWave() {
    const std::uint32_t rate = 22050, frames = rate * 2;
    std::string wave = "RIFF";
    PutLe(wave, 36 + frames * 2, 4);
    wave += "WAVEfmt ";
    for (std::uint32_t v : {16u, 1u | (1u << 16), rate, rate * 2, 2u | (16u << 16)})
        PutLe(wave, v, 4);
    wave += "data";
    PutLe(wave, frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i)
        PutLe(wave,
              std::uint16_t(std::int16_t(3000 * std::sin(2 * std::numbers::pi * 440 * i / rate))),
              2);
    return wave;
}

std::string TempWave() {
    char folder[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "mvs", 0, name);
    const std::string wave = ToneWave();
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, wave.data(), DWORD(wave.size()), &written, nullptr);
    CloseHandle(file);
    return name;
}

std::string EnginePath() {
    wchar_t path[MAX_PATH];
    GetFullPathNameW(MIRAVO_MVSOUND_FILE, MAX_PATH, path, nullptr);
    std::wstring wide = path;
    return sjis::FromUtf16(std::u16string(wide.begin(), wide.end()));
}

} // namespace

TEST(MVSoundEngine, PreviewsAndIsFinalizedAndUnloadedWhilePlaying) {
    HWND window = CreateWindowExW(0, L"STATIC", L"Miravo", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    const std::string wave = TempWave();
    const std::string engineFile = EnginePath();
    RecordingUi ui;
    {
        TMVSoundEngine engine(window, engineFile, ui);
        ASSERT_TRUE(engine.Active()) << "DirectSound did not start";
        engine.Play("preview", wave, 0);
        test::Pump(300);
        engine.Play("preview", "no such file.wav", 0); // reported nowhere: no handler is set
        engine.Play("preview", wave, 0);
        test::Pump(300);
    } // closed while the preview plays
    EXPECT_EQ(GetModuleHandleA(engineFile.c_str()), nullptr);
    test::Pump(500); // a thread of the engine left running would crash on unloaded code now
    EXPECT_TRUE(ui.shown.empty());
    DeleteFileA(wave.c_str());
    DestroyWindow(window);
}
