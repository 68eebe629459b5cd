#pragma once

#include "editor/script/CommandOut.h"
#include "editor/script/DialogControls.h"
#include "editor/script/ListIcons.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/FileListRow.h"
#include "novel/CommandStrings.h"
#include "novel/NovelData.h"
#include "picture/Raster.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// "キャラクター表示" (returns the arguments of .CharSet, with a preview of the character on the
// sample screen) and the text window dialog (.WindowSet / .LinkWindowSet).
namespace miravo {

class TComCharSetForm : public Dialog {
public:
    static constexpr int kPreviewWidth = 320;
    static constexpr int kPreviewHeight = 240;

    // `screen` is the built-in 640 x 480 sample background.
    TComCharSetForm(IUserInteraction& ui, CRaster screen);
    void SetNovelFolder(std::filesystem::path folder) { folder_ = std::move(folder); }

    // After OK: `"<name>" "<file>" <V> <H>` (Shift-JIS), and the name for the delete dialog.
    const std::string& Result() const { return result_; }
    const std::wstring& Name() const { return name_; }
    const CRaster& Canvas() const { return canvas_; }

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int notification, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void EntryClicked();
    void Recompose();

    CRaster screen_;
    CRaster canvas_;
    std::filesystem::path folder_;
    std::wstring name_;
    std::wstring file_ = L"*.bmp;*.png";
    VerticalPlacement vertical_ = VerticalPlacement::Middle;
    HorizontalPlacement horizontal_ = HorizontalPlacement::Center;
    std::optional<CPicture> character_;
    std::string result_;
    std::optional<FileListRowPainter> rows_;
};

class TComWindowSetForm : public Dialog {
public:
    TComWindowSetForm(IUserInteraction& ui, ICommandOut& out);
    void SetWindowMode() { link_ = false; }
    void SetLinkWindowMode() { link_ = true; }
    void SetTextWindows(const std::vector<CTextWindow>* windows) { windows_ = windows; }

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int notification, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ICommandOut& out_;
    bool link_ = false;
    const std::vector<CTextWindow>* windows_ = nullptr;
    ImageListHandle icons_;
};

// A row of a list of numbered model entries: the entry's icon, the 1-based number in bold, the
// name.
void DrawNumberedRow(const DRAWITEMSTRUCT& item, HFONT font, HIMAGELIST icons, ListIcon icon);

} // namespace miravo
