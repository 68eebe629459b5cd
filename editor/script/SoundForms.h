#pragma once

#include "editor/script/DialogControls.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/FileListRow.h"
#include "editor/widgets/NumeralEdit.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The sound dialogs: sound effect or BGM ("効果音再生" / "BGM再生", .SoundPlay / .BGMPlay) and MIDI
// ("MIDI再生", .MidiPlay), each with test playback. They return `"<file>"` (plus the fade-in time
// for BGM); the text editor writes the command word before it.
namespace miravo {

// Test playback of one file at a time. Play's path is Shift-JIS; failures are told through the
// answer (empty when it plays).
class ITestPlayer {
public:
    virtual ~ITestPlayer() = default;
    virtual std::optional<std::wstring> Play(std::string_view path) = 0;
    virtual void Stop() = 0;
};

class TMVSoundEngine;
// The sound engine's track "preview"; does nothing while the engine is not active.
class EngineTestPlayer : public ITestPlayer {
public:
    explicit EngineTestPlayer(TMVSoundEngine* engine) : engine_(engine) {}
    std::optional<std::wstring> Play(std::string_view path) override;
    void Stop() override;

private:
    TMVSoundEngine* engine_;
};

// The system's MIDI sequencer device (MCI): open, play, stop and close.
class MciMidiPlayer : public ITestPlayer {
public:
    ~MciMidiPlayer() override { Stop(); }
    std::optional<std::wstring> Play(std::string_view path) override;
    void Stop() override;

private:
    unsigned device_ = 0;
};

class TComSoundForm : public Dialog {
public:
    TComSoundForm(IUserInteraction& ui, ITestPlayer& player);
    void SetNovelFolder(std::filesystem::path folder) { folder_ = std::move(folder); }
    void SetSoundEffectMode() { bgm_ = false, caption_ = L"効果音再生"; }
    void SetBGMMode() { bgm_ = true, caption_ = L"BGM再生"; }
    void SetCaption(std::wstring caption) { caption_ = std::move(caption); }
    // The last confirmed file (relative to the novel folder, as the field shows it).
    void SetRememberedFile(std::wstring file) { remembered_ = std::move(file); }
    const std::wstring& RememberedFile() const { return remembered_; }
    // After OK: `"<file>"` or `"<file>" <fade-in>` (Shift-JIS).
    const std::string& Result() const { return result_; }

protected:
    TComSoundForm(int templateId, IUserInteraction& ui, ITestPlayer& player, bool midi);
    void OnInit() override;
    bool OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int notification, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool midi_;
    ITestPlayer& player_;
    std::filesystem::path folder_;
    bool bgm_ = false;
    std::wstring caption_ = L"効果音再生";
    std::wstring remembered_;
    std::string result_;
    TUDNumeralEdit fadeIn_;
    int fadeInValue_ = 2000;
    std::optional<FileListRowPainter> rows_;
};

class TComMidiForm : public TComSoundForm {
public:
    TComMidiForm(IUserInteraction& ui, ITestPlayer& player);
};

} // namespace miravo
