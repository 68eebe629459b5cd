#pragma once

#include "editor/widgets/Controls.h"
#include "editor/widgets/MdiWindows.h"

namespace miravo {

class EditorDocument;

// The item text editor window: the current item's name, its script and its link panel. It owns
// no data: ChangeText copies the current item in, StoreToItem copies the edits back.
class TTextForm : public MdiChild {
public:
    static constexpr int kMinWidth = 360;
    static constexpr int kMinHeight = 300;
    static constexpr int kLinkPanelHeight = 128;

    void Create(EditorDocument& document, HWND mdiClient, HFONT font);

    void ChangeText();
    void StoreToItem();

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

    bool HasCurrentItem() const;
    void NameEditChange();
    void EditorChange();

    EditorDocument* document_ = nullptr;
    bool loaded_ = false;
    Label nameLabel_;
    EditBox nameEdit_;
    Label editToolBar_;
    EditBox editor_;
    Label linkPanel_;
};

} // namespace miravo
