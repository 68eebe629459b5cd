#include "tests/editor/support/Screenshot.h"

#include "editor/widgets/Handles.h"
#include "editor/widgets/Paint.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace miravo::test {

std::filesystem::path SaveScreenshot(HWND window, const char* name) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    // A maximized window reaches past the screen's edges, and a copy from outside the screen
    // fails as a whole: only the visible part is taken.
    const RECT screenArea{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&bounds, &bounds, &screenArea);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const WindowDc screen(nullptr);
    const HDC memory = CreateCompatibleDC(screen.Get());
    const BITMAPINFO info = TopDownDibInfo(width, height);
    void* bits = nullptr;
    const BitmapHandle picture(
        CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        const SelectScope select(memory, picture.Get());
        BitBlt(memory, 0, 0, width, height, screen.Get(), bounds.left, bounds.top, SRCCOPY);
    }
    DeleteDC(memory);
    GdiFlush();

    const std::filesystem::path folder = std::filesystem::current_path() / "screenshots";
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / (std::string(name) + ".png");
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr) {
        return {};
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop pngInfo = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, pngInfo, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_bgr(png);
        png_write_info(png, pngInfo);
        const int stride = ((width * 3) + 3) & ~3;
        for (int row = 0; row < height; ++row) {
            png_write_row(png,
                          static_cast<png_bytep>(bits) + static_cast<std::ptrdiff_t>(row) * stride);
        }
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(&png, &pngInfo);
    std::fclose(file);
    return path;
}

} // namespace miravo::test
