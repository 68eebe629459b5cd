#pragma once

#include "editor/shell/EditorApplication.h"
#include "editor/widgets/Dialog.h"
#include "tests/editor/support/ScriptedInteraction.h"
#include "vintara/Win32.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// What every GUI test drives the editor's real windows with: message pumps, a user's actions on
// controls, dialogs without their modal loop, and the whole editor under a scripted answerer.
namespace miravo::test {

// Handles queued messages for `milliseconds`; `process` handles one round (default: the plain
// loop; the editor's tests pass the application's loop, with accelerators and MDI keys).
using MessageRound = std::function<void()>;
void Pump(int milliseconds = 200, const MessageRound& process = {});
// Until `done` holds or `timeoutMs` passed (a busy machine may deliver late); false on timeout.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000,
               const MessageRound& process = {});

// A user's actions, told to the control's parent as the control itself would tell it.
void Click(HWND button);
void Type(HWND edit, std::wstring_view text); // replaces the text, marks it modified
std::wstring TextOf(HWND window);
// A key pressed and released on the keyboard: the system queues it for the window with the
// focus, and the message loop that handles it decides who gets it.
void PressKey(WORD virtualKey);

// A dialog of the editor, created without a modal loop: set its controls, press a button, and
// read how it ended. Its window goes with the driver at the latest.
class DialogDriver {
public:
    DialogDriver(Dialog& dialog, HWND owner = nullptr);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    HWND Handle() const { return dialog_.Handle(); }
    HWND Item(int id) const { return GetDlgItem(Handle(), id); }
    std::wstring Text(int id) const { return TextOf(Item(id)); }
    void SetText(int id, std::wstring_view text);
    void SetCheck(int id, bool checked);
    bool Checked(int id) const;
    // Presses a button; the result once a button ended the dialog (it then stays closed).
    std::optional<INT_PTR> Press(int id);

private:
    Dialog& dialog_;
};

// The whole editor in the test's process, answering through the scripted `ui`; a GUI test's
// fixture derives from it.
class EditorDriver {
public:
    EditorDriver() = default;
    ~EditorDriver() { Stop(); }
    EditorDriver(const EditorDriver&) = delete;
    EditorDriver& operator=(const EditorDriver&) = delete;

    ScriptedInteraction ui;

    void Start(EditorOptions options);
    // The editor as the program constructs it (with its splash unless the options say not),
    // before its main window is shown.
    void Create(const EditorOptions& options);
    // Destroys the editor and drops what its windows left queued (WM_QUIT).
    void Stop();
    bool Running() const { return editor_ != nullptr; }

    EditorApplication& Editor() { return *editor_; }
    template <class W> W& Window() { return editor_->Window<W>(); }
    HWND Main() { return editor_->MainForm().Handle(); }
    std::wstring Title() { return TextOf(Main()); }

    void Pump(int milliseconds = 200);
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
    // A menu command or tool button, then the messages it queued.
    void Command(int id);

private:
    std::unique_ptr<EditorApplication> editor_;
};

} // namespace miravo::test
