#pragma once

#include "editor/widgets/Window.h"

namespace miravo {

// A thin flat progress bar: a frame and the filled part, nothing else.
class ProgressGauge : public Window {
public:
    void Create(HWND parent, int x, int y, int width, int height);
    void SetMaximum(int maximum);
    void SetPosition(int position);
    void Step() { SetPosition(position_ + 1); }
    int Position() const { return position_; }
    int Maximum() const { return maximum_; }
    bool IsFull() const { return position_ >= maximum_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    int maximum_ = 100;
    int position_ = 0;
};

} // namespace miravo
