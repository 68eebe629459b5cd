#include "editor/widgets/CuteButton.h"

#include "editor/shell/UserInteraction.h"
#include "editor/widgets/CustomControl.h"
#include "editor/widgets/Handles.h"

#include <stdexcept>

namespace miravo {

namespace {

class CuteButtonState {
public:
    explicit CuteButtonState(HWND handle) : handle_(handle) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_GETDLGCODE: {
            // Enter acts on the swatch instead of pressing the dialog's default button.
            LRESULT code = DLGC_BUTTON;
            if (const auto* key = reinterpret_cast<const MSG*>(lParam);
                key != nullptr && (key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
                key->wParam == VK_RETURN) {
                code |= DLGC_WANTMESSAGE;
            }
            return code;
        }
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                Click();
            } else if (wParam == VK_SPACE && !spaceDown_) {
                spaceDown_ = true;
                SetPressed(true);
            }
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && spaceDown_) {
                spaceDown_ = false;
                SetPressed(false);
                Click();
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetFocus(handle_);
            SetCapture(handle_);
            mouseDown_ = true;
            SetPressed(true);
            return 0;
        case WM_MOUSEMOVE:
            if (mouseDown_) {
                SetPressed(Inside(lParam));
            }
            return 0;
        case WM_LBUTTONUP:
            if (mouseDown_) {
                mouseDown_ = false;
                ReleaseCapture();
                SetPressed(false);
                if (Inside(lParam)) {
                    Click();
                }
            }
            return 0;
        case WM_CAPTURECHANGED:
            mouseDown_ = false;
            SetPressed(false);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            spaceDown_ = false;
            pressed_ = false;
            InvalidateRect(handle_, nullptr, FALSE);
            return 0;
        case WM_ENABLE: InvalidateRect(handle_, nullptr, FALSE); return 0;
        case BM_CLICK: Click(); return 0;
        case CBM_GETCOLOR: return static_cast<LRESULT>(color_);
        case CBM_SETCOLOR:
            color_ = static_cast<COLORREF>(wParam) & 0x00FFFFFF;
            InvalidateRect(handle_, nullptr, FALSE);
            return 0;
        default: return DefWindowProcW(handle_, message, wParam, lParam);
        }
    }

private:
    bool Inside(LPARAM position) const {
        RECT client{};
        GetClientRect(handle_, &client);
        const POINT point{static_cast<short>(LOWORD(position)),
                          static_cast<short>(HIWORD(position))};
        return PtInRect(&client, point) != FALSE;
    }

    void SetPressed(bool pressed) {
        if (pressed != pressed_) {
            pressed_ = pressed;
            InvalidateRect(handle_, nullptr, FALSE);
        }
    }

    void Click() { NotifyParent(handle_, BN_CLICKED); }

    void Paint() noexcept {
        const PaintScope paint(handle_);
        RECT client{};
        GetClientRect(handle_, &client);
        const HDC dc = paint.Dc();
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        const bool enabled = IsWindowEnabled(handle_) != FALSE;
        // Flat: a thin frame; pressed, the colour sinks one pixel.
        RECT frame = client;
        if (pressed_) {
            DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        } else {
            FrameRect(dc, &frame, GetSysColorBrush(enabled ? COLOR_BTNSHADOW : COLOR_GRAYTEXT));
        }
        RECT swatch = client;
        InflateRect(&swatch, -3, -3);
        if (pressed_) {
            OffsetRect(&swatch, 1, 1);
        }
        if (swatch.right > swatch.left && swatch.bottom > swatch.top) {
            const BrushHandle fill(enabled ? CreateSolidBrush(color_)
                                           : CreateHatchBrush(HS_BDIAGONAL, color_));
            if (!enabled) {
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            }
            FillRect(dc, &swatch, fill.Get());
            FrameRect(dc, &swatch, GetSysColorBrush(COLOR_WINDOWFRAME));
        }
        if (GetFocus() == handle_) {
            RECT focus = client;
            InflateRect(&focus, -1, -1);
            DrawFocusRect(dc, &focus);
        }
    }

    HWND handle_;
    COLORREF color_ = RGB(255, 255, 255);
    bool pressed_ = false;
    bool mouseDown_ = false;
    bool spaceDown_ = false;
};

} // namespace

void RegisterCuteButtonClass() { SelfOwnedControl<CuteButtonState>::Register(kCuteButtonClass); }

void TCuteButton::Create(const CuteButtonArgs& args) {
    RegisterEditorControls();
    const HWND handle = CreateWindowExW(
        0, kCuteButtonClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, args.x, args.y, args.width,
        args.height, args.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
        GetModuleHandleW(nullptr), nullptr);
    if (handle == nullptr) {
        throw std::runtime_error("CreateWindowExW failed for a colour swatch");
    }
    Attach(handle);
    SetHint(args.hint);
    SetColor(args.color);
}

std::uint32_t TCuteButton::Color() const {
    return static_cast<std::uint32_t>(SendMessageW(Handle(), CBM_GETCOLOR, 0, 0));
}

void TCuteButton::SetColor(std::uint32_t color) { SendMessageW(Handle(), CBM_SETCOLOR, color, 0); }

bool TCuteButton::AskColor(IUserInteraction& ui) {
    const auto chosen = ui.AskColor(Color());
    if (!chosen) {
        return false;
    }
    SetColor(*chosen);
    NotifyParent(Handle(), CBN_COLORCHANGED);
    return true;
}

} // namespace miravo
