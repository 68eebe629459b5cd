#pragma once

#include "editor/script/CommandOut.h"
#include "editor/script/DialogControls.h"
#include "editor/widgets/CuteButton.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/FileListRow.h"
#include "editor/widgets/NumeralEdit.h"
#include "novel/CommandStrings.h"
#include "picture/Raster.h"

#include <filesystem>
#include <optional>
#include <string>

// The background dialogs: "グラフィック" (a picture and a fade, returned for .GraphLoad) and
// "グラフィック塗りつぶし" (.GraphFill), with the fade panel they share.
namespace miravo {

class TComFadeForm;

// The fade choice of a dialog and the panel that shows it: the effect's name, its variation and
// speed, and "変更(&C)", which opens the fade dialog.
class FadePanel {
public:
    static constexpr int kHeight = 41;
    void Create(HWND dialog, int top, int width);
    void Show(bool visible);
    void Reset(); // the standard fade
    // Opens the fade dialog; its confirmed choice replaces this one.
    void Change(HWND owner, TComFadeForm& fade);
    void Set(const FadeChoice& choice, std::string fadeArguments);
    const FadeChoice& Choice() const { return choice_; }
    const std::string& FadeArguments() const { return fadeArguments_; }

private:
    void Update();
    HWND dialog_ = nullptr;
    std::vector<HWND> controls_;
    FadeChoice choice_;
    std::string fadeArguments_;
};

class TComBackgraphForm : public Dialog {
public:
    static constexpr int kMainPanelHeight = 281;
    static constexpr int kButtonPanelHeight = 43;

    TComBackgraphForm(IUserInteraction& ui, TComFadeForm& fade);
    void SetNovelFolder(std::filesystem::path folder) { folder_ = std::move(folder); }
    // The next opening only: no fade panel.
    void SetPictureOnly() { pictureOnly_ = true; }

    // After OK: the file field, and `"<file>" <fade>` (Shift-JIS).
    const std::wstring& File() const { return file_; }
    const std::string& Result() const { return result_; }
    const std::optional<CPicture>& PreviewPicture() const { return picture_; }

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int notification, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void EntryClicked();
    void PaintPreview(const DRAWITEMSTRUCT& item) const;

    TComFadeForm& fade_;
    std::filesystem::path folder_;
    bool pictureOnly_ = false;
    std::wstring file_ = L"*.jpg;*.bmp";
    std::string result_;
    std::optional<CPicture> picture_;
    std::optional<FileListRowPainter> rows_;
    FadePanel panel_;
};

class TComFillForm : public Dialog {
public:
    TComFillForm(IUserInteraction& ui, ICommandOut& out, TComFadeForm& fade);

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int notification, HWND control) override;

private:
    ICommandOut& out_;
    TComFadeForm& fade_;
    std::uint32_t color_ = 0xFFFFFF;
    TCuteButton swatch_;
    TUDNumeralEdit opacity_;
    int opacityValue_ = 50;
    bool loading_ = false;
    FadePanel panel_;
};

} // namespace miravo
