#pragma once

#include "editor/shell/UiText.h"
#include "novel/NovelData.h"

#include <string>

namespace miravo {

class EditorSession;

// The settings window's text-window list: it shows the model's table directly.
class ITextWindowListView {
public:
    virtual ~ITextWindowListView() = default;
    // The text-window list follows the model's table.
    virtual void RefreshTextWindows() = 0;
};

// The text window dialog's fields. The placement words are kept as the model holds them, so a
// word the dialog has no button for is stored back unchanged unless a button is chosen.
struct TextWindowEditValues {
    UiText name{};
    UiText graphicFile{}; // empty when the picture is switched off
    std::string vAlign = "MIDDLE";
    std::string hAlign = "CENTER";
    CWindowRect textRect{32, 32, 608, 448};
};

TextWindowEditValues TextWindowValuesOf(const CTextWindow& window);

// The text windows of the novel as the settings window edits them. Every change refreshes the
// lists and marks the novel modified.
class TextWindowOperations {
public:
    explicit TextWindowOperations(EditorSession& session) : session_(session) {}

    // A new window named "(新規ウインドウN)" with the novel's next number; returns its index.
    // At the limit raises and changes nothing.
    int NewWindow();
    // Asks first; true when window `index` was deleted. Scripts that name it are left as they
    // are.
    bool DeleteWindow(int index);
    // The dialog lists the novel folder's pictures: it opens only once the novel has been saved
    // under a name; otherwise the author is told so and false comes back.
    bool MayEdit();
    // The dialog's OK: an empty name is refused (false, nothing stored); otherwise every field
    // is stored as entered (an inverted text rectangle too).
    bool StoreWindow(int index, const TextWindowEditValues& values);
    // After the dialog stored: the lists show it, the novel is modified.
    void WindowEdited();

private:
    EditorSession& session_;
};

} // namespace miravo
