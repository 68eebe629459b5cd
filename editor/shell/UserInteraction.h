#pragma once

#include "editor/shell/UiText.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace miravo {

// Everything an operation or a dialog asks the user modally goes through this one interface, so
// that document operations stay testable without windows: the editor installs an implementation
// on real message boxes and common dialogs; tests install a scripted answerer that records what
// was asked. Texts are UI text (the Win32 implementation converts them for the W interfaces).

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageResult { Ok, Cancel, Yes, No };

struct MessageRequest {
    UiText text{};
    UiText caption{};
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    int defaultButton = 1; // 2 makes the second button (No of Yes/No) the default
};

// The common open and save dialogs.
struct FileDialogRequest {
    UiText title{};
    // Pairs of description and patterns separated by "|", e.g.
    // "編集用ノベルファイル (*.mve)|*.mve|α１ノベルファイル (*.mvw)|*.mvw".
    UiText filter{};
    std::string defaultExtension{}; // without the dot; added when the name has none
    std::filesystem::path initialFolder{};
    std::filesystem::path fileName{}; // proposed name, may be empty
    bool overwritePrompt = false;     // save: ask before replacing an existing file
    bool hideReadOnly = false;
};

// The replace loop's question (Yes, No, Cancel, All), placed near the caret: `caretX`, `caretY`
// are the caret's screen position and `rowHeight` the height of its row.
enum class ReplaceAnswer { Yes, No, Cancel, All };
struct ReplaceQuestion {
    UiText text{};
    UiText caption{};
    int caretX = 0;
    int caretY = 0;
    int rowHeight = 0;
};

class IUserInteraction {
public:
    virtual ~IUserInteraction() = default;
    // Closing the box counts as Cancel (or No when there is no Cancel button).
    virtual MessageResult ShowMessage(const MessageRequest& request) = 0;
    // The chosen file, or nothing when the dialog was cancelled. An answerer that offers no
    // file dialogs (a command-line tool) cancels them.
    virtual std::optional<std::filesystem::path> AskOpenFile(const FileDialogRequest&) {
        return std::nullopt;
    }
    virtual std::optional<std::filesystem::path> AskSaveFile(const FileDialogRequest&) {
        return std::nullopt;
    }
    // The colour dialog, fully open so that any colour can be chosen, starting from `initial`
    // (0x00BBGGRR); the chosen colour, or nothing when cancelled.
    virtual std::optional<std::uint32_t> AskColor(std::uint32_t /*initial*/) {
        return std::nullopt;
    }
    virtual ReplaceAnswer AskReplace(const ReplaceQuestion&) { return ReplaceAnswer::Cancel; }
};

} // namespace miravo
