#pragma once

#include "editor/properties/TextWindowOperations.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/FileListRow.h"
#include "editor/widgets/NumeralEdit.h"
#include "picture/Raster.h"

#include <optional>
#include <string>

namespace miravo {

class EditorSession;

// "テキストウィンドウの編集": a window's name, picture and its placement, and the text
// rectangle, with a live preview on the sample screen where the text rectangle pulses.
class TTextWindowEditForm : public Dialog {
public:
    static constexpr UINT_PTR kAnimTimer = 1;
    static constexpr UINT kAnimInterval = 50; // milliseconds

    explicit TTextWindowEditForm(EditorSession& session);

    // The window the next showing edits.
    void SetWindow(int index) { index_ = index; }

    // What the preview shows now, before it is stretched, and the frame it is at.
    CRaster PreviewImage() const;
    int Frame() const { return frame_; }
    bool ShowsPicture() const { return picture_.has_value(); }
    bool PictureHasAlpha() const { return picture_ && picture_->alpha.has_value(); }
    const std::string& VAlign() const { return vAlign_; }
    const std::string& HAlign() const { return hAlign_; }

protected:
    void OnInit() override;
    bool OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int notification, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillFileList();
    void LoadWindow();
    void FileListBoxClick();
    void UseGraphicCheckClick();
    void Recompose();
    void ReadTextRect();
    void PaintPreview(HDC dc, const RECT& area) const;

    EditorSession& session_;
    int index_ = -1;
    std::string vAlign_ = "MIDDLE";
    std::string hAlign_ = "CENTER";
    std::optional<CPicture> picture_;
    std::optional<CRaster> background_;
    CRaster work_;
    CWindowRect textRect_;
    int frame_ = 0;
    TUDNumeralEdit leftEdit_, topEdit_, rightEdit_, bottomEdit_;
    std::optional<FileListRowPainter> rows_;
    bool loading_ = false;
};

} // namespace miravo
