// Under Wine: the built-in pictures load from the program's resources, a raster paints scaled
// through StretchDIBits, and file-list rows paint their folder part bold. Each test saves a PNG
// view of what was painted, beside the test program, for a person to look at.
#include "PictureFiles.h"

#include "editor/widgets/BuiltinPictureResource.h"
#include "editor/widgets/FileListRow.h"
#include "editor/widgets/RasterPaint.h"
#include "picture/PictureReaders.h"

#include <cstring>
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
    CRaster raster(2, 2);
    raster.SetColor(0, 0, 0x0000FF);
    raster.SetColor(1, 0, 0x00FF00);
    raster.SetColor(0, 1, 0xFF0000);
    raster.SetColor(1, 1, 0x00FFFF);
    Canvas canvas(60, 50);
    PaintRasterScaled(canvas.Dc(), RECT{10, 5, 50, 45}, raster);
    const CRaster painted = canvas.Raster();
    EXPECT_EQ(painted.ColorAt(5, 25), 0xFFFFFFu); // outside: untouched
    EXPECT_EQ(painted.ColorAt(20, 15), 0x0000FFu);
    EXPECT_EQ(painted.ColorAt(40, 15), 0x00FF00u);
    EXPECT_EQ(painted.ColorAt(20, 35), 0xFF0000u);
    EXPECT_EQ(painted.ColorAt(40, 35), 0x00FFFFu);

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
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const FileListRowPainter painter(font, kCommandDialogFileRow);
    const auto paint = [&](const wchar_t* entry, bool selected = false) {
        Canvas canvas(200, 16);
        painter.Paint(canvas.Dc(), RECT{0, 0, 200, 16}, entry, selected);
        return canvas.Raster();
    };
    const CRaster folder = paint(L"bg\\x");
    const CRaster plain = paint(L"bg");
    // No ink left of the 4-pixel offset, nor in the top row.
    EXPECT_EQ(InkIn(folder, 0, 4), 0);
    for (int x = 0; x < 200; ++x)
        ASSERT_GE(folder.Pixel(x, 0)[1], 128) << x;
    // "bg" painted bold as a folder carries more ink than "bg" as a plain file name.
    EXPECT_GT(InkIn(folder, 0, 14), InkIn(plain, 0, 14) * 11 / 10);

    // A view of rows as the dialogs show them, the second one selected.
    Canvas rows(240, 16 * 4);
    const wchar_t* entries[] = {L"bg01.jpg", L"bg\\Room Night.jpg", L"ソ表\\能.bmp",
                                L"Deep\\er\\x.bmp"};
    for (int i = 0; i < 4; ++i)
        painter.Paint(rows.Dc(), RECT{0, i * 16, 240, i * 16 + 16}, entries[i], i == 1);
    SaveView(rows.Raster(), "file-list-rows.png");
}

} // namespace
