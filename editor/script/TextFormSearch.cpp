#include "editor/script/SearchForms.h"
#include "editor/script/TextForm.h"
#include "editor/shell/EditorSession.h"
#include "editor/shell/UserInteraction.h"
#include "editor/widgets/WideText.h"

#include <string>

// Search and replace in the item text editor: the dialogs' results, the search step over the
// control's whole text, and the replace loop.
namespace miravo {

namespace {

UiText Quoted(const std::string& shiftJis) { return UiText::From(SjisString(shiftJis)); }

} // namespace

bool TTextForm::SearchStep() {
    const std::string text = editor_.Text();
    const auto match =
        SearchText(text, static_cast<std::size_t>(editor_.SelectionStart()),
                   static_cast<std::size_t>(editor_.SelectionLength()), searchText_, options_);
    if (!match) {
        return false;
    }
    editor_.SetSelection(static_cast<int>(match->start), static_cast<int>(match->length));
    // A match near the top or bottom edge is brought to a third of the view.
    const int visible = editor_.VisibleRows();
    const int fromTop = editor_.CaretRow() - editor_.TopRow();
    if (fromTop > visible * 4 / 5 || fromTop < visible / 5) {
        editor_.SetTopRow(editor_.CaretRow() - visible / 3);
    }
    return true;
}

void TTextForm::NotFound(const char* caption) {
    session_->Ui().ShowMessage({.text = UiText("検索文字列  '") + Quoted(searchText_) +
                                        "' は見つかりませんでした。",
                                .caption = caption,
                                .buttons = MessageButtons::Ok,
                                .icon = MessageIcon::Information});
}

void TTextForm::FindNext(bool down) {
    if (searchText_.empty()) {
        return;
    }
    options_.down = down;
    if (!SearchStep()) {
        NotFound("検索");
    }
}

void TTextForm::FindWith(const std::string& text, const SearchOptions& options) {
    // An empty box searches again for the previous text.
    if (!text.empty()) {
        searchText_ = text;
        options_ = options;
    }
    // The first search after the dialog runs towards the end, whatever it showed.
    FindNext(true);
}

void TTextForm::FindClick() {
    TFormSearch& dialog = *searchDialog_;
    dialog.options = options_;
    if (dialog.ShowModal(Handle()) != IDOK) {
        return;
    }
    FindWith(NarrowToShiftJis(dialog.text), dialog.options);
}

void TTextForm::ReplaceClick() {
    TFormReplace& dialog = *replaceDialog_;
    dialog.options = options_;
    if (dialog.ShowModal(Handle()) != IDOK || dialog.text.empty() || dialog.replacement.empty()) {
        return;
    }
    ReplaceWith(NarrowToShiftJis(dialog.text), NarrowToShiftJis(dialog.replacement),
                dialog.options);
}

void TTextForm::ReplaceOne(const std::string& replacement, int& replaced) {
    editor_.ReplaceSelection(replacement);
    if (!options_.down) {
        // The next upward search starts before the replaced text.
        const int caret = editor_.SelectionStart();
        editor_.SetSelection(std::max(caret - static_cast<int>(replacement.size()), 0), 0);
    }
    ++replaced;
}

void TTextForm::ReplaceWith(const std::string& text, const std::string& replacement,
                            SearchOptions options) {
    if (text.empty() || replacement.empty()) {
        return;
    }
    searchText_ = text;
    options_ = options;
    int matches = 0;
    int replaced = 0;
    do {
        if (!SearchStep()) {
            break;
        }
        ++matches;
        if (options_.replaceConfirm) {
            POINT caret = editor_.CaretPoint();
            ClientToScreen(editor_.Handle(), &caret);
            const ReplaceAnswer answer = session_->Ui().AskReplace(
                {.text = UiText(" ") + Quoted(text) + "   を\r\n " + Quoted(replacement) +
                         "   に 置き換えますか？",
                 .caption = "置換",
                 .caretX = caret.x,
                 .caretY = caret.y,
                 .rowHeight = editor_.RowHeight()});
            if (answer == ReplaceAnswer::Cancel) {
                break;
            }
            if (answer == ReplaceAnswer::Yes) {
                ReplaceOne(replacement, replaced);
            } else if (answer == ReplaceAnswer::All) {
                ReplaceOne(replacement, replaced);
                options_.replaceAll = true;
                options_.replaceConfirm = false;
            }
        } else {
            ReplaceOne(replacement, replaced);
        }
    } while (options_.replaceAll);
    EditorChange();
    UpdateEditState();
    if (matches == 0) {
        NotFound("置換");
    } else if (options_.replaceAll) {
        session_->Ui().ShowMessage({.text = UiText::FromUtf8(std::to_string(replaced)) +
                                            " 個の文字列を置換しました。",
                                    .caption = "置換",
                                    .buttons = MessageButtons::Ok,
                                    .icon = MessageIcon::Information});
    }
}

} // namespace miravo
