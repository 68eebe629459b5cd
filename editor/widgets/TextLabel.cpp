#include "editor/widgets/TextLabel.h"

#include "editor/widgets/Handles.h"
#include "editor/widgets/Paint.h"

namespace miravo {

void TextLabel::Create(const TextLabelArgs& args) {
    RegisterWindowClass({.name = L"MiravoTextLabel", .background = nullptr});
    font_ = args.font;
    alignment_ = args.alignment;
    colour_ = args.colour;
    Window::Create({.className = L"MiravoTextLabel",
                    .text = args.text,
                    .style = WS_CHILD | WS_VISIBLE,
                    .x = args.x,
                    .y = args.y,
                    .width = args.width,
                    .height = args.height,
                    .parent = args.parent});
}

void TextLabel::SetFont(HFONT font) {
    font_ = font;
    Invalidate();
}

LRESULT TextLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(); return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefaultMessage(message, wParam, lParam);
        Invalidate();
        return result;
    }
    case WM_NCHITTEST:
        // The label lets the pointer through, so its container's hint shows.
        return HTTRANSPARENT;
    default: return DefaultMessage(message, wParam, lParam);
    }
}

void TextLabel::Paint() {
    const PaintScope paint(Handle());
    RECT area = ClientRect();
    PaintParentBackground(Handle(), paint.Dc());
    const SelectScope font(paint.Dc(), font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(paint.Dc(), TRANSPARENT);
    SetTextColor(paint.Dc(), colour_);
    const std::wstring text = Text();
    DrawTextW(paint.Dc(), text.c_str(), static_cast<int>(text.size()), &area,
              alignment_ | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

} // namespace miravo
