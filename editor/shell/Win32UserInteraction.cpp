#include "editor/shell/Win32UserInteraction.h"

#include "editor/widgets/WideText.h"

#include <commctrl.h>
#include <commdlg.h>
#include <vector>

namespace miravo {

namespace {

UINT ButtonFlags(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel: return MB_OKCANCEL;
    case MessageButtons::YesNo: return MB_YESNO;
    case MessageButtons::YesNoCancel: return MB_YESNOCANCEL;
    case MessageButtons::Ok: break;
    }
    return MB_OK;
}

UINT IconFlags(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::Warning: return MB_ICONWARNING;
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Question: return MB_ICONQUESTION;
    case MessageIcon::None: break;
    }
    return 0;
}

// "a|b|c|d" becomes "a\0b\0c\0d\0\0", as OPENFILENAME wants it.
std::wstring FilterText(const UiText& filter) {
    std::wstring text = Widen(filter.Utf8());
    for (wchar_t& c : text) {
        if (c == L'|') {
            c = L'\0';
        }
    }
    text.push_back(L'\0');
    text.push_back(L'\0');
    return text;
}

} // namespace

HWND Win32UserInteraction::Owner() const {
    const HWND active = GetActiveWindow();
    return active != nullptr ? active : owner_;
}

MessageResult Win32UserInteraction::ShowMessage(const MessageRequest& request) {
    const UINT flags = ButtonFlags(request.buttons) | IconFlags(request.icon) |
                       ((request.defaultButton == 2) ? MB_DEFBUTTON2 : 0);
    switch (MessageBoxW(Owner(), Widen(request.text.Utf8()).c_str(),
                        Widen(request.caption.Utf8()).c_str(), flags)) {
    case IDOK: return MessageResult::Ok;
    case IDYES: return MessageResult::Yes;
    case IDNO: return MessageResult::No;
    default:
        return request.buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Cancel;
    }
}

std::optional<std::filesystem::path>
Win32UserInteraction::AskOpenFile(const FileDialogRequest& request) {
    return AskFile(request, false);
}

std::optional<std::filesystem::path>
Win32UserInteraction::AskSaveFile(const FileDialogRequest& request) {
    return AskFile(request, true);
}

std::optional<std::filesystem::path> Win32UserInteraction::AskFile(const FileDialogRequest& request,
                                                                   bool save) {
    const std::wstring filter = FilterText(request.filter);
    const std::wstring title = Widen(request.title.Utf8());
    const std::wstring extension = Widen(request.defaultExtension);
    const std::wstring folder = request.initialFolder.wstring();
    // Long paths are allowed for, beyond MAX_PATH.
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring proposed = request.fileName.wstring();
    proposed.copy(file.data(), file.size() - 1);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner();
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    // Nothing in the editor opens a file read-only: an open dialog never offers the box.
    const bool hideReadOnly = request.hideReadOnly || !save;
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                   (request.overwritePrompt ? OFN_OVERWRITEPROMPT : 0) |
                   (hideReadOnly ? OFN_HIDEREADONLY : 0) | (save ? 0 : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) {
        return std::nullopt;
    }
    return std::filesystem::path(file.data());
}

std::optional<std::uint32_t> Win32UserInteraction::AskColor(std::uint32_t initial) {
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner();
    dialog.rgbResult = initial;
    dialog.lpCustColors = customColors_.data();
    dialog.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
    if (!ChooseColorW(&dialog)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(dialog.rgbResult);
}

} // namespace miravo

namespace miravo {

namespace {

constexpr int kAnswerAll = 100;

// The question box goes near the caret: above its row when there is room, below it otherwise,
// and kept 4 pixels inside the screen's right edge.
HRESULT CALLBACK PlaceNearCaret(HWND box, UINT notification, WPARAM, LPARAM, LONG_PTR data) {
    if (notification == TDN_CREATED) {
        const auto& question = *reinterpret_cast<const ReplaceQuestion*>(data);
        RECT bounds{};
        GetWindowRect(box, &bounds);
        const int width = bounds.right - bounds.left;
        const int height = bounds.bottom - bounds.top;
        int top = question.caretY - height - question.rowHeight;
        if (top < 0) {
            top = question.caretY + question.rowHeight;
        }
        int left = question.caretX + 2;
        const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
        if (left + width > screenWidth - 4) {
            left = screenWidth - 4 - width;
        }
        SetWindowPos(box, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    return S_OK;
}

} // namespace

ReplaceAnswer Win32UserInteraction::AskReplace(const ReplaceQuestion& question) {
    const std::wstring text = Widen(question.text.Utf8());
    const std::wstring caption = Widen(question.caption.Utf8());
    const TASKDIALOG_BUTTON all{kAnswerAll, L"すべて(&A)"};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = Owner();
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION;
    config.dwCommonButtons = TDCBF_YES_BUTTON | TDCBF_NO_BUTTON | TDCBF_CANCEL_BUTTON;
    config.pszWindowTitle = caption.c_str();
    config.pszMainIcon = TD_INFORMATION_ICON;
    config.pszContent = text.c_str();
    config.cButtons = 1;
    config.pButtons = &all;
    config.pfCallback = &PlaceNearCaret;
    config.lpCallbackData = reinterpret_cast<LONG_PTR>(&question);
    int pressed = IDCANCEL;
    if (FAILED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) {
        return ReplaceAnswer::Cancel;
    }
    switch (pressed) {
    case IDYES: return ReplaceAnswer::Yes;
    case IDNO: return ReplaceAnswer::No;
    case kAnswerAll: return ReplaceAnswer::All;
    default: return ReplaceAnswer::Cancel;
    }
}

} // namespace miravo
