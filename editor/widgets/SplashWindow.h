#pragma once

#include "editor/widgets/Handles.h"
#include "editor/widgets/ProgressGauge.h"
#include "editor/widgets/Window.h"

namespace miravo {

// The borderless, always-on-top window shown while the editor starts. Each created window advances
// its gauge; once the gauge is full the splash stays for a fixed number of timer checks and then
// closes itself.
class SplashWindow : public Window {
public:
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 140;
    static constexpr UINT kCheckInterval = 100;
    static constexpr int kFullChecksToClose = 16;

    void Create(std::wstring versionText, int steps);
    void Advance();
    const ProgressGauge& Gauge() const { return gauge_; }
    bool IsOpen() const { return Handle() != nullptr; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void CheckGauge();
    void StayOnTop();

    std::wstring versionText_;
    ProgressGauge gauge_;
    FontHandle titleFont_;
    FontHandle textFont_;
    int fullChecks_ = 0;
};

} // namespace miravo
