#pragma once

#include "editor/shell/UiText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace miravo {

class EditorSession;
struct CNovelLink;

// The item text editor window: it shows the current item and holds its edits until asked.
class ICurrentItemView {
public:
    virtual ~ICurrentItemView() = default;
    // Writes the window's edits into the current item (through ItemTextOperations::StoreText).
    virtual void StoreToItem() = 0;
    // Shows the current item (through ItemTextOperations::Load).
    virtual void ChangeText() = 0;
};

// The item text editor, asked to put the caret on a line of the current item and show it
// (the novel check's way to a finding).
class IScriptLineView {
public:
    virtual ~IScriptLineView() = default;
    virtual void ShowScriptLine(int line) = 0; // 1-based; past the end: the last line
};

// The item text editor's link list: it shows counters by their number in the novel's table, so
// deleting a counter (or a window) repaints it.
class ILinkListView {
public:
    virtual ~ILinkListView() = default;
    virtual void RepaintLinkList() = 0;
};

// What the item text editor shows of the current item.
struct ShownItem {
    UiText name;
    UiText text; // the lines joined with CR LF
};

// The current item's text and links: what the item text editor does to the model. Text from the
// window arrives as UI text; characters that Shift-JIS cannot hold become "?" as before, and the
// author is told which ones, once for each character while the item stays current.
class ItemTextOperations {
public:
    explicit ItemTextOperations(EditorSession& session) : session_(session) {}

    bool HasCurrentItem() const;
    // The current item for the window; nothing when there is none.
    std::optional<ShownItem> Load();
    // The editor's text becomes the current item's lines.
    void StoreText(const UiText& text);
    // The editor's text changed: the novel is modified (the item takes it at StoreText).
    void TextEdited();
    // The name field: the item takes the name, the chart shows it, the novel is modified. Links
    // elsewhere that name the old name stay as they are.
    void Rename(const UiText& name);

    // The link panel: each change redraws the chart and marks the novel modified.
    void SetLinkType(std::uint8_t linkType);
    void SetLinkEnabled(int slot, bool enabled);
    // The link dialog's OK: the slot takes the link and is enabled.
    void EditLink(int slot, const CNovelLink& link);
    // Swaps the slot with the one above (-1) or below (+1); at the ends nothing happens. Returns
    // the slot where the moved link now is, which becomes the current link slot.
    int MoveLink(int slot, int direction);

private:
    SjisString FromWindow(const UiText& text);
    void LinksChanged();

    EditorSession& session_;
    // Characters already reported as replaced since the item became current.
    std::vector<std::u16string> toldReplaced_;
};

} // namespace miravo
