#include "editor/chart/ChartBox.h"

#include "editor/chart/ChartBitmapFile.h"
#include "editor/shell/EditorSession.h"
#include "editor/widgets/Paint.h"
#include "novel/EditorError.h"
#include "novel/NovelData.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

namespace miravo {

namespace {
// Bands of the BMP export of a chart too large for one picture: about this many bytes each.
constexpr std::size_t kExportBandBytes = 16u << 20;

} // namespace

void ChartBox::Create(HWND parent, EditorSession& session, const ChartScene& scene) {
    session_ = &session;
    scene_ = scene;
    stamps_ = std::make_unique<ChartStamps>(scene.nameFont, scene.currentNameFont);
    scene_.stamps = stamps_.get();
    RegisterWindowClass({.name = L"MiravoChartBox", .style = CS_DBLCLKS, .background = nullptr});
    Window::Create({.className = L"MiravoChartBox",
                    .style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP,
                    .exStyle = WS_EX_CLIENTEDGE,
                    .x = 0,
                    .y = 0,
                    .width = 100,
                    .height = 100,
                    .parent = parent});
    AttachHintSource(Handle(), this);
}

std::wstring ChartBox::HintAt(POINT) const {
    return L"|クリックで選択、ドラッグ＆ドロップで移動できます.";
}

void ChartBox::ShowBorder(bool border) {
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE,
                      border ? (style | WS_EX_CLIENTEDGE) : (style & ~WS_EX_CLIENTEDGE));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void ChartBox::CreatePicture(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    const BITMAPINFO info = TopDownDibInfo(width, height);
    void* pixels = nullptr;
    BitmapHandle picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!picture && whole_) {
        // No memory for the whole chart: it is shown a window at a time instead.
        whole_ = false;
        const RECT client = ClientRect();
        CreatePicture(client.right, client.bottom);
        return;
    }
    if (!picture) {
        throw EditorError("チャートの画像を作成できません.");
    }
    picture_ = std::move(picture);
    pixels_ = pixels;
    pictureWidth_ = width;
    pictureHeight_ = height;
}

void ChartBox::Resize() {
    const CNovelFileHeader& header = session_->Model().Header;
    chartWidth_ = std::max<int>(header.ChartWidth, 1);
    chartHeight_ = std::max<int>(header.ChartHeight, 1);
    whole_ = chartWidth_ <= kWholePictureLimit && chartHeight_ <= kWholePictureLimit;
    scrollX_ = 0;
    scrollY_ = 0;
    picture_.Reset();
    pixels_ = nullptr;
    if (whole_) {
        CreatePicture(chartWidth_, chartHeight_);
    } else {
        const RECT client = ClientRect();
        CreatePicture(client.right, client.bottom);
    }
    UpdateScrollBars();
    Redraw();
}

void ChartBox::RepaintPicture() {
    if (!picture_ || session_ == nullptr) {
        return;
    }
    pictureOrigin_ = whole_ ? POINT{0, 0} : POINT{scrollX_, scrollY_};
    scene_.model = &session_->Model();
    scene_.currentItem = session_->State().currentItem;
    scene_.selection = &session_->Chart().Selection();
    scene_.markName = &session_->Chart().MarkName();
    const BitmapDc dc(picture_.Get());
    PaintChart(dc.Get(), scene_, pictureOrigin_, pictureWidth_, pictureHeight_,
               static_cast<std::uint8_t*>(pixels_), BmpRowBytes(pictureWidth_));
    GdiFlush();
}

void ChartBox::Redraw() {
    RepaintPicture();
    if (feedbackShown_) {
        XorFeedback(drag_); // the drag's figure stays over the new picture
    }
    Invalidate(false);
}

void ChartBox::SaveBitmap(const std::filesystem::path& path) const {
    if (whole_ && pixels_ != nullptr) {
        const std::size_t stride = BmpRowBytes(pictureWidth_);
        WriteBmp24(path, pictureWidth_, pictureHeight_, pictureHeight_,
                   [&](int top, int rows, std::uint8_t* out, std::size_t outStride) {
                       const auto* in = static_cast<const std::uint8_t*>(pixels_);
                       for (int row = 0; row < rows; ++row) {
                           std::memcpy(out + row * outStride, in + (top + row) * stride, stride);
                       }
                   });
        return;
    }
    if (!BmpCanHold(chartWidth_, chartHeight_)) {
        throw EditorError("チャートが大きすぎるため BMP ファイルに保存できません.");
    }
    // Too large for one picture: painted and written in bands of rows.
    const std::size_t stride = BmpRowBytes(chartWidth_);
    const int bandRows =
        static_cast<int>(std::clamp<std::size_t>(kExportBandBytes / stride, 1, 4096));
    const BITMAPINFO info = TopDownDibInfo(chartWidth_, bandRows);
    void* bandPixels = nullptr;
    const BitmapHandle band(
        CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bandPixels, nullptr, 0));
    if (!band) {
        throw EditorError("チャートの画像を作成できません.");
    }
    ChartScene scene = scene_;
    scene.model = &session_->Model();
    scene.currentItem = session_->State().currentItem;
    scene.selection = &session_->Chart().Selection();
    scene.markName = &session_->Chart().MarkName();
    WriteBmp24(path, chartWidth_, chartHeight_, bandRows,
               [&](int top, int rows, std::uint8_t* out, std::size_t outStride) {
                   {
                       const BitmapDc dc(band.Get());
                       PaintChart(dc.Get(), scene, POINT{0, top}, chartWidth_, bandRows,
                                  static_cast<std::uint8_t*>(bandPixels), stride);
                       GdiFlush();
                   }
                   const auto* in = static_cast<const std::uint8_t*>(bandPixels);
                   for (int row = 0; row < rows; ++row) {
                       std::memcpy(out + row * outStride, in + row * stride, stride);
                   }
               });
}

COLORREF ChartBox::PixelAt(int chartX, int chartY) const {
    const int x = chartX - pictureOrigin_.x;
    const int y = chartY - pictureOrigin_.y;
    if (pixels_ == nullptr || x < 0 || y < 0 || x >= pictureWidth_ || y >= pictureHeight_) {
        return CLR_INVALID;
    }
    const auto* pixel = static_cast<const std::uint8_t*>(pixels_) +
                        static_cast<std::size_t>(y) * BmpRowBytes(pictureWidth_) +
                        static_cast<std::size_t>(x) * 3;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

LRESULT ChartBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(); return 0;
    case WM_SIZE:
        if (!whole_ && picture_) {
            const RECT client = ClientRect();
            CreatePicture(client.right, client.bottom);
        }
        UpdateScrollBars();
        if (!whole_) {
            Redraw();
        }
        return 0;
    case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: Scroll(SB_VERT, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: Wheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: ButtonDown(lParam, true); return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: ButtonDown(lParam, false); return 0;
    case WM_MOUSEMOVE: MouseMove(lParam); return 0;
    case WM_LBUTTONUP: ButtonUp(lParam, wParam); return 0;
    case WM_CAPTURECHANGED:
        if (drag_.Mode() != DragMode::Idle && reinterpret_cast<HWND>(lParam) != Handle()) {
            // Another window took the pointer: the drag is abandoned, nothing moves.
            if (feedbackShown_) {
                XorFeedback(drag_);
                feedbackShown_ = false;
                Invalidate(false);
            }
            drag_ = {};
        }
        return 0;
    case WM_CONTEXTMENU:
        if (onContextMenu) {
            POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (screen.x == -1 && screen.y == -1) {
                screen = {0, 0};
                ClientToScreen(Handle(), &screen);
            }
            onContextMenu(screen);
        }
        return 0;
    default: break;
    }
    return DefaultMessage(message, wParam, lParam);
}

void ChartBox::Paint() {
    const PaintScope paint(Handle());
    PaintPart([&] {
        const RECT area = ClientRect();
        const int left = pictureOrigin_.x - scrollX_;
        const int top = pictureOrigin_.y - scrollY_;
        // Beyond the chart: the workspace colour.
        const HBRUSH workspace = GetSysColorBrush(COLOR_APPWORKSPACE);
        const int right = std::min<int>(left + pictureWidth_, chartWidth_ - scrollX_);
        const int bottom = std::min<int>(top + pictureHeight_, chartHeight_ - scrollY_);
        if (right < area.right) {
            const RECT beyond{std::max(right, 0), 0, area.right, area.bottom};
            FillRect(paint.Dc(), &beyond, workspace);
        }
        if (bottom < area.bottom) {
            const RECT beyond{0, std::max(bottom, 0), area.right, area.bottom};
            FillRect(paint.Dc(), &beyond, workspace);
        }
        if (!picture_) {
            return;
        }
        const BitmapDc memory(picture_.Get());
        BitBlt(paint.Dc(), left, top, std::max(right - left, 0), std::max(bottom - top, 0),
               memory.Get(), 0, 0, SRCCOPY);
    });
}

void ChartBox::UpdateScrollBars() {
    const RECT area = ClientRect();
    const auto set = [&](int bar, int size, int page, int& position) {
        position = std::clamp(position, 0, std::max(size - page, 0));
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.nMax = size - 1;
        info.nPage = static_cast<UINT>(std::max(page, 0));
        info.nPos = position;
        SetScrollInfo(Handle(), bar, &info, TRUE);
    };
    set(SB_HORZ, chartWidth_, area.right, scrollX_);
    set(SB_VERT, chartHeight_, area.bottom, scrollY_);
    Invalidate(false);
}

void ChartBox::ScrollTo(int x, int y) {
    const int oldX = scrollX_;
    const int oldY = scrollY_;
    scrollX_ = x;
    scrollY_ = y;
    UpdateScrollBars(); // clamps
    if (!whole_ && (scrollX_ != oldX || scrollY_ != oldY)) {
        Redraw();
    }
}

void ChartBox::Scroll(int bar, int request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), bar, &info);
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP: position -= kScrollStep; break;
    case SB_LINEDOWN: position += kScrollStep; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK: // live tracking
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
    }
    if (bar == SB_HORZ) {
        ScrollTo(position, scrollY_);
    } else {
        ScrollTo(scrollX_, position);
    }
}

void ChartBox::Wheel(int delta) {
    // 120 units a notch, three steps each: 72 pixels, upwards for a positive delta.
    ScrollTo(scrollX_, scrollY_ - (delta * kScrollStep * kWheelSteps) / 120);
}

ChartPoint ChartBox::ChartPointAt(LPARAM lParam) const {
    return {std::int64_t{GET_X_LPARAM(lParam)} + scrollX_,
            std::int64_t{GET_Y_LPARAM(lParam)} + scrollY_};
}

void ChartBox::ButtonDown(LPARAM lParam, bool left) {
    SetFocus(Handle());
    if (drag_.Mode() != DragMode::Idle) {
        return;
    }
    const ChartPoint pointer = ChartPointAt(lParam);
    const int index = session_->Chart().PressAt(pointer);
    if (!left) {
        return;
    }
    if (index >= 0) {
        const CNovelItem& item = session_->Model().Items[index];
        drag_.PressOnBox(pointer, {item.X, item.Y});
    } else {
        drag_.PressOnEmpty(pointer);
        XorFeedback(drag_);
        feedbackShown_ = true;
        Invalidate(false);
    }
    SetCapture(Handle());
}

void ChartBox::MouseMove(LPARAM lParam) {
    if (drag_.Mode() == DragMode::Idle) {
        return;
    }
    const ChartDrag before = drag_;
    if (!drag_.Move(ChartPointAt(lParam))) {
        return;
    }
    if (feedbackShown_) {
        XorFeedback(before);
    }
    XorFeedback(drag_);
    feedbackShown_ = true;
    Invalidate(false);
}

void ChartBox::ButtonUp(LPARAM lParam, WPARAM keys) {
    if (drag_.Mode() == DragMode::Idle) {
        return;
    }
    if (feedbackShown_) {
        XorFeedback(drag_);
        feedbackShown_ = false;
    }
    const ChartDrag ending = drag_;
    const DragMode ended = drag_.Release(ChartPointAt(lParam));
    ReleaseCapture();
    ChartOperations& chart = session_->Chart();
    if (ended == DragMode::Moving) {
        chart.FinishMove({ending.Rect().left, ending.Rect().top}, ending.Offset());
    } else if (ended == DragMode::RubberBand) {
        chart.FinishBand(drag_.Rect(), (keys & (MK_SHIFT | MK_CONTROL)) != 0);
    } else {
        Invalidate(false);
    }
}

void ChartBox::XorFeedback(const ChartDrag& drag) {
    if (!picture_) {
        return;
    }
    const BitmapDc dc(picture_.Get());
    const int saved = SaveDC(dc.Get());
    SetROP2(dc.Get(), R2_XORPEN);
    SetBkMode(dc.Get(), TRANSPARENT);
    SelectObject(dc.Get(), GetStockObject(NULL_BRUSH));
    const auto x = [&](std::int64_t value) {
        return static_cast<int>(
            std::clamp<std::int64_t>(value - pictureOrigin_.x, -(1 << 26), 1 << 26));
    };
    const auto y = [&](std::int64_t value) {
        return static_cast<int>(
            std::clamp<std::int64_t>(value - pictureOrigin_.y, -(1 << 26), 1 << 26));
    };
    const ChartRect& rect = drag.Rect();
    if (drag.Mode() == DragMode::Moving) {
        const PenHandle pen(CreatePen(PS_SOLID, 2, RGB(255, 255, 255)));
        SelectObject(dc.Get(), pen.Get());
        RoundRect(dc.Get(), x(rect.left), y(rect.top), x(rect.right), y(rect.bottom), 14, 14);
        const ChartSelection& selection = session_->Chart().Selection();
        const CNovelItems& items = session_->Model().Items;
        const int current = session_->State().currentItem;
        if (selection.active) {
            for (const int index : selection.items) {
                if (index == current || index >= items.Count()) {
                    continue;
                }
                const std::int64_t left = std::int64_t{items[index].X} + drag.Offset().x;
                const std::int64_t top = std::int64_t{items[index].Y} + drag.Offset().y;
                RoundRect(dc.Get(), x(left), y(top), x(left + kItemBoxWidth),
                          y(top + kItemBoxHeight), 14, 14);
            }
        }
        SelectObject(dc.Get(), GetStockObject(BLACK_PEN));
    } else if (drag.Mode() == DragMode::RubberBand) {
        const PenHandle pen(CreatePen(PS_DOT, 1, RGB(255, 255, 255)));
        SelectObject(dc.Get(), pen.Get());
        Rectangle(dc.Get(), x(rect.left), y(rect.top), x(rect.right), y(rect.bottom));
        SelectObject(dc.Get(), GetStockObject(BLACK_PEN));
    }
    RestoreDC(dc.Get(), saved);
    GdiFlush();
}

} // namespace miravo
