#pragma once

#include "editor/properties/NovelPropertyValues.h"
#include "editor/widgets/CuteButton.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/NumeralEdit.h"
#include "picture/Raster.h"

#include <commctrl.h>

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace miravo {

class EditorSession;
class TCommandDialogs;
class TMainForm;

// "<file> のプロパティ": the novel-wide settings of the header on ten pages chosen in the tree
// "設定項目". It reads the header when shown and writes every field back on OK. The fade,
// graphic, sound and MIDI dialogs of the command menu serve as its choosers.
class TNovelPropertyForm : public Dialog {
public:
    static constexpr int kPageCount = 10;
    // The previews' panels, in pixels.
    static constexpr int kPreviewWidth = 212;
    static constexpr int kPreviewHeight = 159;

    // `dialogs` gives the command dialogs when a chooser is needed (null: the choosers do nothing).
    TNovelPropertyForm(EditorSession& session, std::function<TCommandDialogs*()> dialogs);
    // Gives the main window's "プロパティ" command (menu, Ctrl+P, tool button) its action.
    void AttachTo(TMainForm& mainForm);

    static const std::array<const wchar_t*, kPageCount>& PageCaptions();
    // The page on screen (index into PageCaptions).
    int ActivePage() const { return activePage_; }
    // Selects the page's node in the tree, as a click would.
    void SelectPage(int page);
    const NovelPropertyValues& Values() const { return values_; }
    // A control's hint ("short|long"), empty when it has none.
    std::wstring HintOf(int id) const;
    // The picture a preview shows and where, if it shows one (panel coordinates).
    struct Preview {
        std::optional<CPicture> picture;
        PreviewFit fit;
    };
    const Preview& LogoPreview() const { return previews_[0]; }
    const Preview& TitlePreview() const { return previews_[1]; }

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int notification, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreatePages();
    void FillTree();
    void ShowPage(int page);
    void ShowValues();
    void ReadControls();
    void UpdateFadeLabels();
    void RefreshPreview(int which);
    void PaintPreview(const DRAWITEMSTRUCT& item) const;
    bool NovelHasFileName();
    void FadeButtonClick(WorkingFade& fade);
    void GraphSelectClick(int editId, int preview);
    void MidiSelectClick(int editId);
    void WaveSelectClick(int editId);
    void SetStartToMarkButtonClick();
    std::filesystem::path NovelFolder() const;

    EditorSession& session_;
    std::function<TCommandDialogs*()> dialogs_;
    NovelPropertyValues values_;
    bool loading_ = false;
    int activePage_ = 0;
    HWND tree_ = nullptr;
    HWND tooltip_ = nullptr;
    std::vector<HTREEITEM> nodes_;
    // Controls of each page; those hidden for good are not shown with their page.
    struct PageControl {
        int page;
        HWND handle;
        bool hidden;
    };
    std::vector<PageControl> controls_;
    std::map<int, std::wstring> hints_;
    TUDNumeralEdit messageSpeed_, fontSize_;
    TCuteButton normalColor_, shadowColor_, selectColor_, tipColor_;
    std::array<Preview, 2> previews_;
};

} // namespace miravo
