#include "editor/script/SearchForms.h"

#include "editor/script/ScriptResource.h"

#include <commctrl.h>

namespace miravo {

namespace {

void FillHistory(HWND combo, const std::vector<std::wstring>& history) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& entry : history) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void Check(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// The options both dialogs show; line breaks and blanks are always skipped together.
void ShowOptions(HWND dialog, const SearchOptions& options) {
    Check(dialog, IDC_MATCH_CASE, options.matchCase);
    Check(dialog, IDC_WHOLE_WORD, options.wholeWord);
    Check(dialog, IDC_NO_MATCH_ZENKAKU, options.noMatchZenkaku);
    Check(dialog, IDC_INCLUDE_CRLF, options.includeCrLf);
    Check(dialog, IDC_DIRECTION_DOWN, options.down);
    Check(dialog, IDC_DIRECTION_UP, !options.down);
}

void ReadOptions(HWND dialog, SearchOptions& options) {
    options.matchCase = Checked(dialog, IDC_MATCH_CASE);
    options.wholeWord = Checked(dialog, IDC_WHOLE_WORD);
    options.noMatchZenkaku = Checked(dialog, IDC_NO_MATCH_ZENKAKU);
    options.includeCrLf = options.includeSpace = Checked(dialog, IDC_INCLUDE_CRLF);
    options.down = Checked(dialog, IDC_DIRECTION_DOWN);
}

} // namespace

TFormSearch::TFormSearch(IUserInteraction& ui) : Dialog(IDD_SEARCH, ui) {}

void TFormSearch::OnInit() {
    FillHistory(Item(IDC_SEARCH_TEXT), history);
    if (!history.empty()) {
        SendMessageW(Item(IDC_SEARCH_TEXT), CB_SETCURSEL, 0, 0);
    }
    ShowOptions(Handle(), options);
    SetFocus(Item(IDC_SEARCH_TEXT));
}

bool TFormSearch::OnOK() {
    text = ItemText(IDC_SEARCH_TEXT);
    ReadOptions(Handle(), options);
    if (!text.empty()) {
        PushHistory(history, text);
    }
    return true;
}

TFormReplace::TFormReplace(IUserInteraction& ui) : Dialog(IDD_REPLACE, ui) {}

void TFormReplace::OnInit() {
    replaceAll_ = false;
    FillHistory(Item(IDC_SEARCH_TEXT), history);
    if (!history.empty()) {
        SendMessageW(Item(IDC_SEARCH_TEXT), CB_SETCURSEL, 0, 0);
    }
    // The replacement box starts empty each time; its history stays in the list.
    FillHistory(Item(IDC_REPLACE_TEXT), replacementHistory);
    SetItemText(IDC_REPLACE_TEXT, L"");
    ShowOptions(Handle(), options);
    Check(Handle(), IDC_REPLACE_CONFIRM, true);
    SetFocus(Item(IDC_SEARCH_TEXT));
}

bool TFormReplace::OnCommand(int id, int notification, HWND) {
    if (id == IDC_REPLACE_ALL && notification == BN_CLICKED) {
        replaceAll_ = true;
        if (OnOK()) {
            End(IDOK);
        }
        return true;
    }
    return false;
}

bool TFormReplace::OnOK() {
    text = ItemText(IDC_SEARCH_TEXT);
    replacement = ItemText(IDC_REPLACE_TEXT);
    ReadOptions(Handle(), options);
    options.replaceConfirm = Checked(Handle(), IDC_REPLACE_CONFIRM);
    options.replace = !replaceAll_;
    options.replaceAll = replaceAll_;
    replaceAll_ = false;
    if (!text.empty()) {
        PushHistory(history, text);
    }
    if (!replacement.empty()) {
        PushHistory(replacementHistory, replacement);
    }
    return true;
}

} // namespace miravo
