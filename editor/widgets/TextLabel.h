#pragma once

#include "editor/widgets/Hint.h"
#include "editor/widgets/Window.h"

namespace miravo {

struct TextLabelArgs {
    HWND parent = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::wstring text{};
    HFONT font = nullptr;
    UINT alignment = DT_LEFT; // DT_LEFT, DT_CENTER or DT_RIGHT
    COLORREF colour = GetSysColor(COLOR_BTNTEXT);
};

// A one-line label drawn over its parent's background (gradients show through it).
class TextLabel : public Window {
public:
    void Create(const TextLabelArgs& args);
    void SetFont(HFONT font);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    HFONT font_ = nullptr;
    UINT alignment_ = DT_LEFT;
    COLORREF colour_ = 0;
};

} // namespace miravo
