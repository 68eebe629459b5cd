#include "editor/script/FadeForm.h"

#include "editor/script/CommandDialogResources.h"
#include "editor/widgets/RasterPaint.h"
#include "editor/widgets/WideText.h"
#include "picture/FadeEffects.h"

#include <commctrl.h>

namespace miravo {

TComFadeForm::TComFadeForm(IUserInteraction& ui, CRaster sampleA, CRaster sampleB,
                           MillisecondClock clock)
    : Dialog(IDD_COM_FADE, ui), sampleA_(std::move(sampleA)), sampleB_(std::move(sampleB)),
      destination_(640, 480), effector_(std::move(clock)) {
    effector_.SetDestination(&destination_);
    effector_.SetFromPicture(&sampleA_);
    effector_.SetToPicture(&sampleB_);
    effector_.SetDuration(1500);
}

void TComFadeForm::Preset(int type, int variation, int speed) {
    PresetFadeValues(values_, type, variation, speed);
    presetPending_ = true;
}

void TComFadeForm::CreateControls(int top, bool standardControls) {
    const HWND d = Handle();
    if (standardControls) {
        AddDialogControl(d, L"BUTTON", L"標準のフェード効果(&D)", IDC_FADE_STANDARD,
                         BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 10, 6, 220, 18);
        AddDialogControl(d, L"BUTTON", L"指定する(&A)", IDC_FADE_SPECIFY, BS_AUTORADIOBUTTON, 10,
                         26, 220, 18);
        AddDialogControl(d, L"STATIC", L"", -1, SS_ETCHEDHORZ, 0, kTopPanelHeight - 2, kClientWidth,
                         2);
    }
    const int y = top;
    AddDialogControl(d, L"STATIC", L"プレビュー :", -1, WS_GROUP, 8, y + 8, 190, 16);
    AddDialogControl(d, L"STATIC", L"", IDC_FADE_PREVIEW, SS_OWNERDRAW, 8, y + 26, kPreviewWidth,
                     kPreviewHeight);
    AddDialogControl(d, L"STATIC", L"種類(&T):", -1, 0, 216, y + 8, 180, 16);
    const HWND types = AddDialogControl(d, L"LISTBOX", L"", IDC_FADE_TYPES,
                                        WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                            LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                        216, y + 26, 200, 9 * 18 + 4, WS_EX_CLIENTEDGE);
    for (int type = kFirstFadeType; type <= kLastFadeType; ++type)
        SendMessageW(types, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Widen(FadeEffectOf(type)->typeListEntry).c_str()));
    AddDialogControl(d, L"STATIC", L"バリエーション(&V):", -1, 0, 8, y + 184, 190, 16);
    AddDialogControl(d, L"COMBOBOX", L"", IDC_FADE_VARIATIONS,
                     WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 8, y + 202, kPreviewWidth, 200);
    AddDialogControl(d, L"BUTTON", L"スピード:", -1, BS_GROUPBOX, 216, y + 196, 200, 72);
    if (standardControls)
        AddDialogControl(d, L"BUTTON", L"標準のスピード(&S)", IDC_FADE_STANDARD_SPEED,
                         BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 226, y + 214, 170, 18);
    AddDialogControl(d, L"BUTTON", L"指定する(&M)", IDC_FADE_SPECIFY_SPEED,
                     BS_AUTORADIOBUTTON | (standardControls ? 0 : WS_GROUP | WS_TABSTOP), 226,
                     y + 238, 82, 18);
    speedField_.Create({.parent = d,
                        .id = IDC_FADE_SPEED,
                        .x = 310,
                        .y = y + 236,
                        .width = 62,
                        .height = 22,
                        .minimum = kFadeSpeedMin,
                        .maximum = kFadeSpeedMax,
                        .step = kFadeSpeedStep,
                        .value = values_.speed,
                        .font = DialogFont(d)});
    AddDialogControl(d, L"STATIC", L"ミリ秒(&F)", -1, 0, 374, y + 240, 58, 16);
    AddDialogControl(d, L"BUTTON", L"OK", IDOK, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 250,
                     y + 278, 80, 26);
    AddDialogControl(d, L"BUTTON", L"キャンセル", IDCANCEL, WS_TABSTOP, 336, y + 278, 80, 26);
}

void TComFadeForm::OnInit() {
    opening_ = true;
    const bool standardControls = !noStandardMode_;
    if (noStandardMode_) {
        values_.standardEffect = false;
        values_.standardSpeed = false;
    }
    CreateControls(standardControls ? kTopPanelHeight : 0, standardControls);
    SetClientSize(Handle(), kClientWidth,
                  kMainPanelHeight + (standardControls ? kTopPanelHeight : 0));
    noStandardMode_ = false;

    SetChecked(Handle(), values_.standardEffect ? IDC_FADE_STANDARD : IDC_FADE_SPECIFY, true);
    SetChecked(Handle(), values_.standardSpeed ? IDC_FADE_STANDARD_SPEED : IDC_FADE_SPECIFY_SPEED,
               true);
    speedField_.SetValue(values_.speed);

    const HWND variations = Item(IDC_FADE_VARIATIONS);
    if (values_.typeRow < 0) {
        // The first opening: BLEND, and the variation list keeps its single "標準" until a type
        // row is clicked.
        values_.typeRow = kFirstOpeningTypeRow;
        values_.variationRow = 0;
        SendMessageW(variations, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"標準"));
        SendMessageW(variations, CB_SETCURSEL, 0, 0);
    } else {
        const int variationRow = presetPending_ ? values_.variationRow : 0;
        FillVariations(values_.typeRow + 1);
        SendMessageW(variations, CB_SETCURSEL, WPARAM(variationRow), 0);
        values_.variationRow = std::max(int(SendMessageW(variations, CB_GETCURSEL, 0, 0)), 0);
    }
    SendMessageW(Item(IDC_FADE_TYPES), LB_SETCURSEL, WPARAM(values_.typeRow), 0);
    presetPending_ = false;
    firstOpening_ = false;

    ApplyEnableStates();
    ShowChoicePreview();
    opening_ = false;
    RestartAnimation();
}

void TComFadeForm::FillVariations(int type) {
    const HWND variations = Item(IDC_FADE_VARIATIONS);
    SendMessageW(variations, CB_RESETCONTENT, 0, 0);
    for (const FadeVariationEntry& entry : FadeVariationList(type))
        SendMessageW(variations, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Widen(entry.text).c_str()));
}

void TComFadeForm::ApplyEnableStates() {
    const bool specify = !values_.standardEffect;
    EnableWindow(Item(IDC_FADE_TYPES), specify);
    EnableWindow(Item(IDC_FADE_VARIATIONS), specify);
    EnableWindow(Item(IDC_FADE_STANDARD_SPEED), specify);
    EnableWindow(Item(IDC_FADE_SPECIFY_SPEED), specify);
    speedField_.Enable(specify && !values_.standardSpeed);
    InvalidateRect(Item(IDC_FADE_TYPES), nullptr, TRUE);
}

void TComFadeForm::ReadControls() {
    if (Item(IDC_FADE_STANDARD))
        values_.standardEffect = IsChecked(Handle(), IDC_FADE_STANDARD);
    if (Item(IDC_FADE_STANDARD_SPEED))
        values_.standardSpeed = IsChecked(Handle(), IDC_FADE_STANDARD_SPEED);
    const LRESULT type = SendMessageW(Item(IDC_FADE_TYPES), LB_GETCURSEL, 0, 0);
    if (type >= 0)
        values_.typeRow = int(type);
    values_.variationRow =
        std::max(int(SendMessageW(Item(IDC_FADE_VARIATIONS), CB_GETCURSEL, 0, 0)), 0);
    values_.speed = speedField_.Value();
}

void TComFadeForm::ShowChoicePreview() {
    const FadeChoice choice = PreviewChoiceOf(values_, novel_);
    effector_.SetFromPicture(&sampleA_);
    effector_.SetToPicture(&sampleB_);
    // Without a mask (the novel's default names no effect) the preview shows picture A, still.
    if (!ShowPreview(effector_, masks_, choice.effect, choice.variation, choice.speed, novel_.name))
        destination_ = sampleA_;
    if (Handle())
        InvalidateRect(Item(IDC_FADE_PREVIEW), nullptr, FALSE);
}

void TComFadeForm::RestartAnimation() {
    KillTimer(Handle(), kPauseTimer);
    SetTimer(Handle(), kFrameTimer, kFrameMilliseconds, nullptr);
    frameTimerRunning_ = true;
}

void TComFadeForm::StopTimers() {
    if (Handle()) {
        KillTimer(Handle(), kFrameTimer);
        KillTimer(Handle(), kPauseTimer);
    }
    frameTimerRunning_ = false;
}

void TComFadeForm::FrameTick() {
    if (effector_.Step()) {
        effector_.SwapPictures();
        effector_.Prepare();
        KillTimer(Handle(), kFrameTimer);
        frameTimerRunning_ = false;
        SetTimer(Handle(), kPauseTimer, kPauseMilliseconds, nullptr);
    }
    InvalidateRect(Item(IDC_FADE_PREVIEW), nullptr, FALSE);
}

void TComFadeForm::PauseTick() {
    SetTimer(Handle(), kFrameTimer, kFrameMilliseconds, nullptr);
    frameTimerRunning_ = true;
    KillTimer(Handle(), kPauseTimer);
    effector_.Restart();
}

bool TComFadeForm::OnOK() {
    ReadControls();
    result_ = FadeResultOf(values_);
    StopTimers();
    return true;
}

bool TComFadeForm::OnCommand(int id, int notification, HWND) {
    if (opening_)
        return false;
    switch (id) {
    case IDC_FADE_STANDARD:
    case IDC_FADE_SPECIFY:
        if (notification != BN_CLICKED)
            return false;
        ReadControls();
        if (!values_.standardEffect) {
            FillVariations(values_.typeRow + 1);
            SendMessageW(Item(IDC_FADE_VARIATIONS), CB_SETCURSEL, 0, 0);
            values_.variationRow = 0;
        }
        ApplyEnableStates();
        ShowChoicePreview();
        RestartAnimation();
        return true;
    case IDC_FADE_TYPES:
        if (notification != LBN_SELCHANGE)
            return false;
        ReadControls();
        FillVariations(values_.typeRow + 1);
        SendMessageW(Item(IDC_FADE_VARIATIONS), CB_SETCURSEL, 0, 0);
        values_.variationRow = 0;
        ShowChoicePreview();
        RestartAnimation();
        return true;
    case IDC_FADE_VARIATIONS:
        if (notification != CBN_SELCHANGE)
            return false;
        break;
    case IDC_FADE_STANDARD_SPEED:
    case IDC_FADE_SPECIFY_SPEED:
        if (notification != BN_CLICKED)
            return false;
        break;
    case IDC_FADE_SPEED: // typed and left, stepped, or set
        if (notification != NEN_DECIDED)
            return false;
        break;
    default: return false;
    }
    ReadControls();
    ApplyEnableStates();
    if (IsWindowVisible(Handle())) {
        ShowChoicePreview();
        RestartAnimation();
    }
    return true;
}

void TComFadeForm::DrawTypeRow(const DRAWITEMSTRUCT& item) {
    if (item.itemID == UINT(-1))
        return;
    const bool enabled = IsWindowEnabled(item.hwndItem) != FALSE;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const int background = !enabled ? COLOR_BTNFACE : selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    const int text = !enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(background));
    wchar_t buffer[64]{};
    SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(buffer));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(text));
    RECT area = item.rcItem;
    area.left += 4;
    DrawTextW(item.hDC, buffer, -1, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if ((item.itemState & ODS_FOCUS) != 0 && enabled)
        DrawFocusRect(item.hDC, &item.rcItem);
}

INT_PTR TComFadeForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlID != IDC_FADE_TYPES)
            return FALSE;
        measure->itemHeight = 18;
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID == IDC_FADE_TYPES) {
            DrawTypeRow(item);
            return TRUE;
        }
        if (item.CtlID == IDC_FADE_PREVIEW) {
            PaintRasterScaled(item.hDC, item.rcItem, destination_);
            return TRUE;
        }
        return FALSE;
    }
    case WM_CTLCOLORLISTBOX:
        if (reinterpret_cast<HWND>(lParam) == Item(IDC_FADE_TYPES) &&
            !IsWindowEnabled(reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        return FALSE;
    case WM_TIMER:
        if (wParam == kFrameTimer)
            FrameTick();
        else if (wParam == kPauseTimer)
            PauseTick();
        return TRUE;
    case WM_SHOWWINDOW:
        if (wParam == FALSE)
            StopTimers();
        return FALSE;
    case WM_DESTROY: StopTimers(); return FALSE;
    default: return Dialog::HandleMessage(message, wParam, lParam);
    }
}

} // namespace miravo
