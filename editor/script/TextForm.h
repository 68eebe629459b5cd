#pragma once

#include "editor/script/ItemTextOperations.h"
#include "editor/shell/ViewRegistry.h"
#include "editor/widgets/Controls.h"
#include "editor/widgets/MdiWindows.h"

namespace miravo {

class EditorSession;

// The item text editor window: the current item's name, its script and its link panel. It owns
// no data: ChangeText copies the current item in, StoreToItem copies the edits back, both through
// the item text operations.
class TTextForm : public MdiChild, public ICurrentItemView {
public:
    static constexpr int kMinWidth = 360;
    static constexpr int kMinHeight = 300;
    static constexpr int kLinkPanelHeight = 128;

    void Create(EditorSession& session, HWND mdiClient, HFONT font);

    // ICurrentItemView
    void ChangeText() override;
    void StoreToItem() override;

    const EditBox& NameEdit() const { return nameEdit_; }
    const EditBox& Editor() const { return editor_; }
    const Label& LinkPanel() const { return linkPanel_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void LayoutChildren(int width, int height) override;

private:
    static constexpr int kNamePanelHeight = 28;
    static constexpr int kEditToolBarHeight = 26;
    static constexpr int kSplitterHeight = 4;

    void NameEditChange();
    void EditorChange();

    EditorSession* session_ = nullptr;
    ViewRegistry::Registration view_;
    bool loaded_ = false;
    Label nameLabel_;
    EditBox nameEdit_;
    Label editToolBar_;
    EditBox editor_;
    Label linkPanel_;
};

} // namespace miravo
