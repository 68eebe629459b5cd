// Every kind of picture file the readers take, written by the tests' own encoders from a known
// raster, read back and compared pixel by pixel; then damaged and oversized files.
#include "PictureFiles.h"

#include "picture/PictureError.h"
#include "picture/PictureReaders.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::test;

namespace {

struct ReaderCase {
    const char* name;
    std::function<CRaster()> expected; // what the reader must give
    std::function<std::string(const CRaster&)> encode;
    int tolerance; // greatest channel difference allowed (lossy or quantised kinds)
    bool alpha;    // the picture must come with an alpha map
};

// 13 x 7: a width whose rows need padding at every bit depth.
CRaster Colours(int n) { return PatternRaster(13, 7, n); }
CRaster Smooth() { return PatternRaster(13, 7); }
// JPEG keeps colour at half resolution: its pictures change smoothly.
CRaster Gradient() {
    CRaster r(13, 7);
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) {
            std::uint8_t* p = r.Pixel(x, y);
            p[0] = std::uint8_t(40 + x * 12);
            p[1] = std::uint8_t(200 - y * 20);
            p[2] = std::uint8_t(90 + x * 4 + y * 6);
        }
    return r;
}
CRaster Greys(CRaster r = PatternRaster(13, 7)) {
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) {
            std::uint8_t* p = r.Pixel(x, y);
            p[0] = p[1] = p[2] = std::uint8_t((p[0] + p[1] + p[2]) / 3);
        }
    return r;
}
CAlphaMap Ramp() {
    CAlphaMap a(13, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            a.Row(y)[x] = std::uint8_t(x * 20 + y);
    return a;
}

const ReaderCase kCases[] = {
    {"bmp1", [] { return Colours(2); }, [](const CRaster& r) { return EncodeBmp(r, 1); }, 0, false},
    {"bmp4", [] { return Colours(16); }, [](const CRaster& r) { return EncodeBmp(r, 4); }, 0,
     false},
    {"bmp8", [] { return Colours(200); }, [](const CRaster& r) { return EncodeBmp(r, 8); }, 0,
     false},
    {"bmp8-top-down", [] { return Colours(9); },
     [](const CRaster& r) { return EncodeBmp(r, 8, true); }, 0, false},
    {"bmp8-core", [] { return Colours(9); },
     [](const CRaster& r) { return EncodeBmp(r, 8, false, BmpHeader::Core); }, 0, false},
    {"bmp16", [] { return Quantised555(Smooth()); },
     [](const CRaster& r) { return EncodeBmp(r, 16); }, 0, false},
    {"bmp16-565", Smooth,
     [](const CRaster& r) { return EncodeBmp(r, 16, false, BmpHeader::InfoBitFields); }, 4, false},
    {"bmp24", Smooth, [](const CRaster& r) { return EncodeBmp(r, 24); }, 0, false},
    {"bmp24-top-down", Smooth, [](const CRaster& r) { return EncodeBmp(r, 24, true); }, 0, false},
    {"bmp24-core", Smooth,
     [](const CRaster& r) { return EncodeBmp(r, 24, false, BmpHeader::Core); }, 0, false},
    {"bmp32", Smooth, [](const CRaster& r) { return EncodeBmp(r, 32); }, 0, false},
    {"bmp32-fields", Smooth,
     [](const CRaster& r) { return EncodeBmp(r, 32, true, BmpHeader::InfoBitFields); }, 0, false},
    {"bmp32-v5", Smooth, [](const CRaster& r) { return EncodeBmp(r, 32, false, BmpHeader::V5); }, 0,
     false},
    {"png-rgb", Smooth, [](const CRaster& r) { return EncodePng(r, std::nullopt, PngKind::Rgb); },
     0, false},
    {"png-rgb16-interlaced", Smooth,
     [](const CRaster& r) { return EncodePng(r, std::nullopt, PngKind::Rgb, 16, true); }, 0, false},
    {"png-rgba", Smooth, [](const CRaster& r) { return EncodePng(r, Ramp(), PngKind::RgbAlpha); },
     0, true},
    {"png-grey", [] { return Greys(); },
     [](const CRaster& r) { return EncodePng(r, std::nullopt, PngKind::Grey); }, 0, false},
    {"png-grey-alpha", [] { return Greys(); },
     [](const CRaster& r) { return EncodePng(r, Ramp(), PngKind::GreyAlpha); }, 0, true},
    {"png-palette", [] { return Colours(30); },
     [](const CRaster& r) { return EncodePng(r, std::nullopt, PngKind::Palette); }, 0, false},
    {"png-palette-trns", [] { return Colours(30); },
     [](const CRaster& r) { return EncodePng(r, Ramp(), PngKind::PaletteTrns); }, 0, true},
    {"png-rgb-trns", [] { return Colours(5); },
     [](const CRaster& r) { return EncodePng(r, std::nullopt, PngKind::RgbTrns); }, 0, true},
    {"jpeg-colour", Gradient, [](const CRaster& r) { return EncodeJpeg(r, JpegKind::Colour); }, 12,
     false},
    {"jpeg-progressive", Gradient,
     [](const CRaster& r) { return EncodeJpeg(r, JpegKind::Progressive); }, 12, false},
    {"jpeg-grey", [] { return Greys(Gradient()); },
     [](const CRaster& r) { return EncodeJpeg(r, JpegKind::Grey); }, 12, false},
};

class ReaderTest : public testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderTest, GivesThePixelsItWasMadeFrom) {
    const ReaderCase& c = GetParam();
    const CRaster expected = c.expected();
    const std::string file = c.encode(expected);
    const CPicture picture = ReadPicture(file, c.name);
    ASSERT_EQ(picture.raster.Width(), expected.Width());
    ASSERT_EQ(picture.raster.Height(), expected.Height());
    EXPECT_LE(MaxDifference(picture.raster, expected), c.tolerance);
    if (c.tolerance > 0)
        EXPECT_LT(MeanDifference(picture.raster, expected), 4.0);
    ASSERT_EQ(picture.alpha.has_value(), c.alpha);
    if (c.alpha && std::string(c.name) == "png-rgb-trns") {
        // tRNS of a colour: exactly the pixels of the key colour are transparent.
        for (int y = 0; y < expected.Height(); ++y)
            for (int x = 0; x < expected.Width(); ++x)
                EXPECT_EQ(picture.alpha->At(x, y),
                          expected.ColorAt(x, y) == expected.ColorAt(0, 0) ? 0 : 255);
    } else if (c.alpha) {
        EXPECT_EQ(*picture.alpha, Ramp());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ReaderTest, testing::ValuesIn(kCases), [](const auto& info) {
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

std::string ErrorOf(const std::string& bytes) {
    try {
        ReadPicture(bytes, "壊れた.png");
    } catch (const PictureError& error) {
        return error.Message();
    }
    return "";
}

std::string Le32(std::uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

TEST(PictureReaders, DamagedFilesGiveAClearErrorNamingTheFile) {
    const CRaster raster = Smooth();
    const std::string bmp = EncodeBmp(raster, 24);
    const std::string png = EncodePng(raster, Ramp(), PngKind::RgbAlpha);
    const std::string jpeg = EncodeJpeg(raster, JpegKind::Colour);
    std::string pngBadCrc = png;
    pngBadCrc[40] ^= 0x55;
    const std::pair<const char*, std::string> damaged[] = {
        {"empty", ""},
        {"unknown kind", "GIF89a"},
        {"bmp header cut", bmp.substr(0, 20)},
        {"bmp pixels cut", bmp.substr(0, bmp.size() - 5)},
        {"bmp offset beyond the end", std::string(bmp).replace(10, 4, Le32(0xFFFFFFF0))},
        {"bmp 7 bits", std::string(bmp).replace(28, 2, "\x07\x00", 2)},
        {"bmp run-length", std::string(bmp).replace(30, 4, Le32(1))},
        {"bmp width 0", std::string(bmp).replace(18, 4, Le32(0))},
        {"bmp height int-min", std::string(bmp).replace(22, 4, Le32(0x80000000))},
        {"bmp header size", std::string(bmp).replace(14, 4, Le32(1000))},
        {"png cut in the pixels", png.substr(0, png.size() / 2)},
        {"png cut in the header", png.substr(0, 20)},
        {"png bad crc", pngBadCrc},
        {"jpeg cut", jpeg.substr(0, jpeg.size() / 2)},
        {"jpeg header only", jpeg.substr(0, 4)},
    };
    for (const auto& [what, bytes] : damaged) {
        SCOPED_TRACE(what);
        const std::string message = ErrorOf(bytes);
        EXPECT_NE(message.find("\"壊れた.png\""), std::string::npos) << message;
    }
    EXPECT_NE(ErrorOf(bmp.substr(0, 20)).find("壊れているか"), std::string::npos);
}

TEST(PictureReaders, CmykJpegIsRefusedWithItsOwnMessage) {
    const std::string message = ErrorOf(EncodeJpeg(Smooth(), JpegKind::Cmyk));
    EXPECT_NE(message.find("CMYK"), std::string::npos) << message;
}

TEST(PictureReaders, SizesAreCheckedBeforeAllocating) {
    // Headers that claim huge pictures over a few bytes: refused by size, not by missing data.
    const std::string bmp = EncodeBmp(Smooth(), 24);
    const auto withSize = [&](std::uint32_t w, std::uint32_t h) {
        return std::string(bmp).replace(18, 8, Le32(w) + Le32(h));
    };
    for (const auto& [w, h] : {std::pair{16385u, 1u}, {1u, 16385u}, {9500u, 9500u}}) {
        const std::string message = ErrorOf(withSize(w, h));
        EXPECT_NE(message.find("大きすぎます"), std::string::npos) << w << "x" << h << message;
        EXPECT_NE(message.find("\"壊れた.png\""), std::string::npos);
    }
    // Just inside the limits, the size passes and the missing pixels are the complaint.
    EXPECT_EQ(ErrorOf(withSize(16384, 1)).find("大きすぎます"), std::string::npos);
    EXPECT_NO_THROW(CheckPictureSize(16384, 5461, "x")); // 49152 x 5461 bytes < 256 MiB
    EXPECT_THROW(CheckPictureSize(16384, 5462, "x"), PictureError);

    // PNG and JPEG files one pixel too wide are refused the same way.
    const CRaster wide(16385, 1);
    for (const std::string& file :
         {EncodePng(wide, std::nullopt, PngKind::Rgb), EncodeJpeg(wide, JpegKind::Colour)})
        EXPECT_NE(ErrorOf(file).find("大きすぎます"), std::string::npos);
}

} // namespace
