#include "editor/script/CounterIcon.h"

#include "editor/widgets/Handles.h"

namespace miravo {

void DrawCounterIcon(HDC dc, int x, int y) {
    BrushHandle face(CreateSolidBrush(RGB(255, 236, 160)));
    PenHandle edge(CreatePen(PS_SOLID, 1, RGB(128, 96, 0)));
    const HGDIOBJ oldPen = SelectObject(dc, edge.Get());
    const HGDIOBJ oldBrush = SelectObject(dc, face.Get());
    RoundRect(dc, x + 1, y + 2, x + kCounterIconSize - 1, y + kCounterIconSize - 2, 4, 4);
    // Four tally strokes and the fifth across them.
    for (int i = 0; i < 4; ++i) {
        MoveToEx(dc, x + 4 + i * 2, y + 5, nullptr);
        LineTo(dc, x + 4 + i * 2, y + 11);
    }
    MoveToEx(dc, x + 3, y + 10, nullptr);
    LineTo(dc, x + 12, y + 6);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

} // namespace miravo
