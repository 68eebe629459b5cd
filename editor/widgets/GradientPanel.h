#pragma once

#include "editor/widgets/Window.h"

#include <vector>

namespace miravo {

struct GradientBox {
    RECT bounds{};
    COLORREF from = 0;
    COLORREF to = 0;
    bool vertical = true;
};

// A tool-bar panel: a plain face with a bevel line along its top and gradient boxes behind its
// transparent children (tool bars and labels paint through to it). Commands and notifications of
// the children go on to the panel's parent, which owns the tool bar's actions.
class GradientPanel : public Window {
public:
    void Create(HWND parent, int id, int height);
    void SetBoxes(std::vector<GradientBox> boxes);
    void ShowBoxes(bool visible);
    void ShowBevel(bool visible);
    bool BoxesShown() const { return boxesShown_; }
    bool BevelShown() const { return bevelShown_; }
    const std::vector<GradientBox>& Boxes() const { return boxes_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintBackground(HDC dc);

    std::vector<GradientBox> boxes_;
    bool boxesShown_ = true;
    bool bevelShown_ = true;
};

} // namespace miravo
