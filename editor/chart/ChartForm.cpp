#include "editor/chart/ChartForm.h"

#include "editor/shell/EditorSession.h"
#include "novel/EditorError.h"
#include "novel/FileAccess.h"
#include "novel/NovelData.h"

#include <algorithm>
#include <fstream>

namespace miravo {

namespace {
constexpr int kNewItemButtonId = 101;

int RowBytes(int width) { return ((width * 3) + 3) & ~3; }
} // namespace

void ChartBox::Create(HWND parent) {
    RegisterWindowClass({.name = L"MiravoChartBox", .background = nullptr});
    Window::Create({.className = L"MiravoChartBox",
                    .style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                    .exStyle = WS_EX_CLIENTEDGE,
                    .x = 0,
                    .y = 0,
                    .width = 100,
                    .height = 100,
                    .parent = parent});
}

void ChartBox::Resize(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_; // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    picture_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels_, nullptr, 0));
    if (!picture_) {
        pixels_ = nullptr;
        throw EditorError("チャートの画像を作成できません.");
    }
    UpdateScrollBars();
    Redraw();
}

void ChartBox::Redraw() {
    if (pixels_ != nullptr) {
        // The chart's drawing fills the picture; until then it is the empty canvas.
        std::fill_n(static_cast<unsigned char*>(pixels_),
                    static_cast<std::size_t>(RowBytes(width_)) * static_cast<std::size_t>(height_),
                    0xFF);
    }
    Invalidate(false);
}

void ChartBox::SaveBitmap(const std::filesystem::path& path) const {
    const std::uint32_t imageSize = static_cast<std::uint32_t>(RowBytes(width_)) * height_;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + imageSize;
    info.biSize = sizeof info;
    info.biWidth = width_;
    info.biHeight = height_; // bottom-up, as BMP files usually are
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageSize;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    const auto* rows = static_cast<const char*>(pixels_);
    for (int row = height_ - 1; row >= 0 && rows != nullptr; --row) {
        out.write(rows + static_cast<std::ptrdiff_t>(row) * RowBytes(width_), RowBytes(width_));
    }
    out.close();
    if (!out) {
        throw FileWriteError("ファイル " + PathToUtf8(path) + " を作成できません.");
    }
}

LRESULT ChartBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(); return 0;
    case WM_SIZE: UpdateScrollBars(); return 0;
    case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_VSCROLL: Scroll(SB_VERT, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_MOUSEWHEEL:
        for (int step = 0; step < 3; ++step) {
            Scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        }
        return 0;
    default: return DefaultMessage(message, wParam, lParam);
    }
}

void ChartBox::Paint() {
    const PaintScope paint(Handle());
    const RECT area = ClientRect();
    FillRect(paint.Dc(), &area, GetSysColorBrush(COLOR_APPWORKSPACE));
    if (!picture_) {
        return;
    }
    PaintPart([&] {
        const HDC memory = CreateCompatibleDC(paint.Dc());
        {
            const SelectScope select(memory, picture_.Get());
            BitBlt(paint.Dc(), -scrollX_, -scrollY_, width_, height_, memory, 0, 0, SRCCOPY);
        }
        DeleteDC(memory);
    });
}

void ChartBox::UpdateScrollBars() {
    const RECT area = ClientRect();
    const auto set = [&](int bar, int size, int page, int& position) {
        position = std::clamp(position, 0, std::max(size - page, 0));
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = size - 1;
        info.nPage = static_cast<UINT>(std::max(page, 0));
        info.nPos = position;
        SetScrollInfo(Handle(), bar, &info, TRUE);
    };
    set(SB_HORZ, width_, area.right, scrollX_);
    set(SB_VERT, height_, area.bottom, scrollY_);
    Invalidate(false);
}

void ChartBox::Scroll(int bar, int request, int) {
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
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
    }
    (bar == SB_HORZ ? scrollX_ : scrollY_) = position;
    UpdateScrollBars();
}

void TChartForm::Create(EditorSession& session, HWND mdiClient, HFONT font) {
    session_ = &session;
    CreateChild({.className = L"MiravoChartForm", .caption = L"チャート", .mdiClient = mdiClient});
    newItemButton_.Create({.parent = Handle(),
                           .id = kNewItemButtonId,
                           .x = 4,
                           .y = 3,
                           .width = 96,
                           .height = 24,
                           .text = L"新規アイテム",
                           .font = font,
                           .hint = L"|新しいアイテムを作成します."});
    chart_.Create(Handle());
    const RECT client = ClientRect();
    LayoutChildren(client.right, client.bottom);
    view_ = session.Views().Add<IChartView>(*this);
}

void TChartForm::ResizeChart() {
    const CNovelFileHeader& header = session_->Model().Header;
    chart_.Resize(header.ChartWidth, header.ChartHeight);
}

void TChartForm::NewItemButtonClick() {
    session_->Chart().NewItem();
    DrawChart();
}

LRESULT TChartForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kNewItemButtonId &&
        HIWORD(wParam) == BN_CLICKED) {
        NewItemButtonClick();
        return 0;
    }
    return MdiChild::HandleMessage(message, wParam, lParam);
}

void TChartForm::LayoutChildren(int width, int height) {
    chart_.SetBounds(0, kToolPanelHeight, width, std::max(height - kToolPanelHeight, 0));
}

} // namespace miravo
