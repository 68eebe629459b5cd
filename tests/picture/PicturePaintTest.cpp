// Under Wine: the built-in pictures load from the program's resources, a raster paints scaled
// through StretchDIBits, and file-list rows paint their folder part bold. Each test saves a PNG
// view of what was painted, beside the test program, for a person to look at.
#include "PictureFiles.h"

#include "editor/widgets/BuiltinPictureResource.h"
#include "editor/widgets/FileListRow.h"
#include "editor/widgets/Paint.h"
#include "editor/widgets/RasterPaint.h"
#include "picture/PictureReaders.h"

#include <cstring>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::test;

namespace {

// A 24-bit top-down DIB section selected into a memory DC: what GDI paints, read back as a raster.
class Canvas {
public:
    Canvas(int width, int height)
        : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    CRaster Raster() const {
        GdiFlush();
        CRaster raster(width_, height_);
        for (int y = 0; y < height_; ++y)
            std::memcpy(raster.Row(y),
                        static_cast<const std::uint8_t*>(bits_) + raster.Stride() * y,
                        raster.Stride());
        return raster;
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

void SaveView(const CRaster& raster, const char* name) {
    std::filesystem::create_directories("screenshots");
    const std::string png = EncodePng(raster, std::nullopt, PngKind::Rgb);
    std::ofstream(std::filesystem::path("screenshots") / name, std::ios::binary)
        .write(png.data(), std::streamsize(png.size()));
}

TEST(BuiltinPictures, LoadFromTheResourcesWithTheirSizes) {
    for (const BuiltinPictureName& name : kBuiltinPictures) {
        SCOPED_TRACE(std::string(name.file));
        const CPicture picture = LoadBuiltinPicture(name.picture);
        const bool icon = picture.raster.Width() == 16;
        EXPECT_EQ(picture.raster.Width(), icon ? 16 : 640);
        EXPECT_EQ(picture.raster.Height(), icon ? 16 : 480);
        EXPECT_EQ(picture.alpha.has_value(), icon);
    }
    // The fade samples are two clearly different pictures.
    const CRaster a = LoadBuiltinPicture(BuiltinPicture::FadeSampleA).raster;
    const CRaster b = LoadBuiltinPicture(BuiltinPicture::FadeSampleB).raster;
    EXPECT_GT(MeanDifference(a, b), 60.0);
}

TEST(RasterPaint, StretchesIntoTheTargetRectangle) {
    // Four flat quadrants of 8 x 8: halftone blends only near their borders.
    CRaster raster(16, 16);
    const std::uint32_t colors[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            raster.SetColor(x, y, colors[(y / 8) * 2 + x / 8]);
    Canvas canvas(60, 50);
    PaintRasterScaled(canvas.Dc(), RECT{10, 5, 50, 45}, raster);
    const CRaster painted = canvas.Raster();
    EXPECT_EQ(painted.ColorAt(5, 25), 0xFFFFFFu); // outside: untouched
    EXPECT_EQ(painted.ColorAt(55, 25), 0xFFFFFFu);
    const auto close = [&](int x, int y, std::uint32_t color) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int got = int(painted.ColorAt(x, y) >> shift & 0xFF);
            const int want = int(color >> shift & 0xFF);
            if (std::abs(got - want) > 8)
                return false;
        }
        return true;
    };
    EXPECT_TRUE(close(20, 15, colors[0]));
    EXPECT_TRUE(close(40, 15, colors[1]));
    EXPECT_TRUE(close(20, 35, colors[2]));
    EXPECT_TRUE(close(40, 35, colors[3]));

    // The sample screen at half size, as the character preview shows it, and the fade samples.
    Canvas preview(660, 250);
    PaintRasterScaled(preview.Dc(), RECT{0, 0, 320, 240},
                      LoadBuiltinPicture(BuiltinPicture::SampleScreen).raster);
    PaintRasterScaled(preview.Dc(), RECT{330, 0, 490, 120},
                      LoadBuiltinPicture(BuiltinPicture::FadeSampleA).raster);
    PaintRasterScaled(preview.Dc(), RECT{495, 0, 655, 120},
                      LoadBuiltinPicture(BuiltinPicture::FadeSampleB).raster);
    int x = 330;
    for (BuiltinPicture icon : {BuiltinPicture::CounterIcon, BuiltinPicture::TextWindowIcon,
                                BuiltinPicture::ChartMarkIcon}) {
        PaintRasterScaled(preview.Dc(), RECT{x, 130, x + 64, 194}, LoadBuiltinPicture(icon).raster);
        x += 74;
    }
    SaveView(preview.Raster(), "builtin-pictures.png");
}

// Dark pixels in columns [left, right) of a painted row.
int InkIn(const CRaster& raster, int left, int right) {
    int ink = 0;
    for (int y = 0; y < raster.Height(); ++y)
        for (int x = left; x < right && x < raster.Width(); ++x)
            if (raster.Pixel(x, y)[1] < 128)
                ++ink;
    return ink;
}

TEST(FileListRow, FolderPartBoldFileNameRegularAtTheOffsets) {
    const FontHandle uiFont = CreateUiFont(L"MS UI Gothic", 9);
    const HFONT font = uiFont.Get();
    const FileListRowPainter painter(font, kCommandDialogFileRow);
    const auto paint = [&](const wchar_t* entry, bool selected = false) {
        Canvas canvas(200, 16);
        painter.Paint(canvas.Dc(), RECT{0, 0, 200, 16}, entry, selected);
        return canvas.Raster();
    };
    // What the list's own font paints at a point, for comparison.
    const auto plain = [&](const wchar_t* text, int x) {
        Canvas canvas(200, 16);
        SetBkMode(canvas.Dc(), TRANSPARENT);
        SelectObject(canvas.Dc(), font);
        ExtTextOutW(canvas.Dc(), x, 1, 0, nullptr, text, UINT(std::wcslen(text)), nullptr);
        return canvas.Raster();
    };
    // A file without a folder: the regular font, 4 pixels in and 1 down.
    EXPECT_EQ(paint(L"x.bmp"), plain(L"x.bmp", 4));
    // With a folder: the folder part is not the regular rendering, and the name follows it.
    const CRaster withFolder = paint(L"bg\\x.bmp");
    const CRaster regular = plain(L"bg\\", 4);
    CRaster folderOnly = paint(L"bg\\");
    EXPECT_NE(folderOnly, regular);
    EXPECT_EQ(InkIn(withFolder, 0, 4), 0);
    LOGFONTW bold{};
    GetObjectW(font, sizeof bold, &bold);
    bold.lfWeight = FW_BOLD;
    const FontHandle boldFont(CreateFontIndirectW(&bold));
    Canvas measure(1, 1);
    SelectObject(measure.Dc(), boldFont.Get());
    SIZE folderSize{};
    GetTextExtentPoint32W(measure.Dc(), L"bg\\", 3, &folderSize);
    const CRaster name = plain(L"x.bmp", 4 + folderSize.cx);
    for (int y = 0; y < 16; ++y) // past a pixel that the bold part may overhang
        for (int x = 4 + folderSize.cx + 2; x < 200; ++x)
            ASSERT_EQ(withFolder.ColorAt(x, y), name.ColorAt(x, y)) << x << "," << y;
    // A view of rows as the dialogs show them, the second one selected.
    Canvas rows(240, 16 * 4);
    const wchar_t* entries[] = {L"bg01.jpg", L"bg\\Room Night.jpg", L"ソ表\\能.bmp",
                                L"Deep\\er\\x.bmp"};
    for (int i = 0; i < 4; ++i)
        painter.Paint(rows.Dc(), RECT{0, i * 16, 240, i * 16 + 16}, entries[i], i == 1);
    SaveView(rows.Raster(), "file-list-rows.png");
}

} // namespace
