#pragma once

#include "editor/script/DialogControls.h"
#include "editor/script/FadeFormValues.h"
#include "editor/widgets/Dialog.h"
#include "editor/widgets/NumeralEdit.h"
#include "picture/FadeEffector.h"
#include "picture/FadeMasks.h"
#include "picture/Raster.h"

// The fade dialog "フェード効果": chooses an effect, a variation and a speed, and shows the choice
// running from sample picture A to B and back in a small preview.
namespace miravo {

class TComFadeForm : public Dialog {
public:
    static constexpr int kTopPanelHeight = 49;
    static constexpr int kMainPanelHeight = 312;
    static constexpr int kClientWidth = 436;
    static constexpr int kPreviewWidth = 197;
    static constexpr int kPreviewHeight = 149;
    static constexpr UINT kFrameTimer = 1;
    static constexpr UINT kPauseTimer = 2;
    static constexpr UINT kFrameMilliseconds = 10;
    static constexpr UINT kPauseMilliseconds = 1000;

    // The sample pictures are the built-in A and B (640 x 480).
    TComFadeForm(IUserInteraction& ui, CRaster sampleA, CRaster sampleB,
                 MillisecondClock clock = SteadyMillisecondClock());

    // The novel's default fade, which the standard effect and the standard speed preview.
    void SetNovelDefault(NovelFadeDefault novel) { novel_ = std::move(novel); }
    // For the next opening only: no standard choices.
    void SetNoStandardMode() { noStandardMode_ = true; }
    void Preset(int type, int variation, int speed);

    // After OK.
    const FadeFormResult& Result() const { return result_; }
    const FadeFormValues& Values() const { return values_; }
    // What the preview shows now (640 x 480).
    const CRaster& PreviewRaster() const { return destination_; }
    bool Animating() const { return frameTimerRunning_; }

protected:
    void OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int notification, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls(int top, bool standardControls);
    void FillVariations(int type);
    void ApplyEnableStates();
    void ReadControls();
    void ShowChoicePreview();
    void RestartAnimation();
    void StopTimers();
    void FrameTick();
    void PauseTick();
    void DrawTypeRow(const DRAWITEMSTRUCT& item);

    FadeFormValues values_;
    FadeFormResult result_;
    NovelFadeDefault novel_;
    bool noStandardMode_ = false;
    bool presetPending_ = false;
    bool firstOpening_ = true;
    bool frameTimerRunning_ = false;
    bool opening_ = false;

    CRaster sampleA_, sampleB_, destination_;
    CPresetFadeMasks masks_;
    TFadeEffector effector_;
    TUDNumeralEdit speedField_;
};

} // namespace miravo
