#include "editor/shell/MVSound.h"
#include "editor/shell/UserInteraction.h"
#include "novel/ShiftJis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace miravo;

namespace {

class RecordingUi : public IUserInteraction {
public:
    MessageResult ShowMessage(const MessageRequest& request) override {
        shown.push_back(request);
        return MessageResult::Ok;
    }
    std::vector<MessageRequest> shown;
};

std::wstring TestFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// The stand-in engine built for one way of failing, named as the editor looks for it.
std::wstring FakeEngine(const wchar_t* variant) {
    return TestFolder() + L"fake-mvsound\\" + variant + L"\\MVSound.mvx";
}

std::string ShiftJisPath(const std::wstring& path) {
    return sjis::FromUtf16(std::u16string(path.begin(), path.end()));
}

bool IsLoaded(const std::wstring& path) { return GetModuleHandleW(path.c_str()) != nullptr; }

// The call log of a stand-in that a test keeps loaded itself.
class CallLog {
public:
    explicit CallLog(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}
    ~CallLog() { FreeLibrary(module_); }
    CallLog(const CallLog&) = delete;
    CallLog& operator=(const CallLog&) = delete;
    std::string Text() const {
        auto log = reinterpret_cast<const char* (*)()>(
            reinterpret_cast<void*>(GetProcAddress(module_, "FakeCallLog")));
        return log ? log() : "(no log)";
    }

private:
    HMODULE module_;
};

class MainWindow {
public:
    MainWindow()
        : handle_(CreateWindowExW(0, L"STATIC", L"Miravo", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~MainWindow() { DestroyWindow(handle_); }
    HWND Handle() const { return handle_; }

private:
    HWND handle_;
};

void ExpectOneError(const RecordingUi& ui, const std::string& text, const std::string& caption) {
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, text);
    EXPECT_EQ(ui.shown[0].caption, caption);
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(ui.shown[0].buttons, MessageButtons::Ok);
}

} // namespace

TEST(MVSoundBinding, AnActiveEnginePlaysAndStopsPreviewsAndIsFinalizedThenUnloaded) {
    const std::wstring path = FakeEngine(L"good");
    MainWindow window;
    RecordingUi ui;
    {
        CallLog log(path);
        {
            TMVSoundEngine engine(window.Handle(), ShiftJisPath(path), ui);
            EXPECT_TRUE(engine.Active());
            engine.Play("preview", sjis::FromUtf8("C:\\ノベル\\se\\ドア.wav"), 0);
            engine.Stop("preview");
            EXPECT_EQ(log.Text(), "GetRevision;Initialize(window);Play(preview|" +
                                      sjis::FromUtf8("C:\\ノベル\\se\\ドア.wav") +
                                      "|0);Stop(preview);");
        }
        EXPECT_EQ(log.Text().substr(log.Text().rfind("Stop")), "Stop(preview);Finalize;");
    }
    EXPECT_TRUE(ui.shown.empty());

    TMVSoundEngine* engine = new TMVSoundEngine(window.Handle(), ShiftJisPath(path), ui);
    EXPECT_TRUE(IsLoaded(path));
    delete engine;
    EXPECT_FALSE(IsLoaded(path));
}

TEST(MVSoundBinding, AMissingOrUnloadableLibraryShowsTheLoadMessageOnceAndStaysSilent) {
    for (const std::wstring& path :
         {TestFolder() + L"missing\\MVSound.mvx", FakeEngine(L"not-a-dll")}) {
        RecordingUi ui;
        TMVSoundEngine engine(nullptr, ShiftJisPath(path), ui);
        EXPECT_FALSE(engine.Active());
        ExpectOneError(ui, "MVSound をロードできません.", "Error");
        engine.Play("preview", "a.wav", 0); // nothing happens, nothing is shown
        engine.Stop("preview");
        EXPECT_EQ(ui.shown.size(), 1u);
    }
}

TEST(MVSoundBinding, ARevisionOtherThanOneIsNamedWithBothNumbersAndUnloaded) {
    const std::wstring path = FakeEngine(L"revision2");
    RecordingUi ui;
    TMVSoundEngine engine(nullptr, ShiftJisPath(path), ui);
    EXPECT_FALSE(engine.Active());
    ExpectOneError(ui,
                   "対応していないサウンドエンジン(MVSound)がロードされました.\r\n"
                   "(要求リビジョン = 1, ロードされたDLLのリビジョン = 2)",
                   "Error");
    EXPECT_FALSE(IsLoaded(path));
}

TEST(MVSoundBinding, AMissingExportIsNamedOnceWithoutARevisionMessageAndUnloaded) {
    struct Case {
        const wchar_t* variant;
        const char* missing;
        const char* calls; // what the engine was asked before the binding gave up
    };
    for (const Case& c : {Case{L"no-is-playing", "MVSoundIsPlaying", "GetRevision;"},
                          Case{L"no-get-revision", "MVSoundGetRevision", ""}}) {
        const std::wstring path = FakeEngine(c.variant);
        RecordingUi ui;
        {
            CallLog log(path);
            TMVSoundEngine engine(nullptr, ShiftJisPath(path), ui);
            EXPECT_FALSE(engine.Active());
            engine.Play("preview", "a.wav", 0);
            EXPECT_EQ(log.Text(), c.calls);
        }
        ExpectOneError(ui, std::string("関数 ") + c.missing + "() をインポートできません.",
                       "MVSound ロードエラー");
        TMVSoundEngine again(nullptr, ShiftJisPath(path), ui);
        EXPECT_FALSE(IsLoaded(path));
    }
}

TEST(MVSoundBinding, AnEngineThatCannotInitializeStaysLoadedSilentlyUntilDestroyed) {
    const std::wstring path = FakeEngine(L"no-device");
    MainWindow window;
    RecordingUi ui;
    {
        CallLog log(path);
        {
            TMVSoundEngine engine(window.Handle(), ShiftJisPath(path), ui);
            EXPECT_FALSE(engine.Active());
            engine.Play("preview", "a.wav", 0);
            engine.Stop("preview");
        }
        // Not finalized: it never was initialized.
        EXPECT_EQ(log.Text(), "GetRevision;Initialize(window);");
    }
    EXPECT_TRUE(ui.shown.empty());

    auto* engine = new TMVSoundEngine(window.Handle(), ShiftJisPath(path), ui);
    EXPECT_TRUE(IsLoaded(path));
    delete engine;
    EXPECT_FALSE(IsLoaded(path));
}
