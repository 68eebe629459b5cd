// Seeds of the picture reader fuzzers: small files of every kind, and a few damaged ones.
#include "PictureFiles.h"

#include "tests/novel/CorpusSeeds.h"

#include <gtest/gtest.h>

using namespace miravo;
using namespace miravo::test;

namespace {

CAlphaMap Ramp(int w, int h) {
    CAlphaMap a(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            a.Row(y)[x] = std::uint8_t(x * 40 + y * 9);
    return a;
}

TEST(PictureCorpusSeeds, Bmp) {
    const CRaster smooth = PatternRaster(5, 3);
    std::map<std::string, std::string> seeds;
    for (int bits : {1, 4, 8})
        seeds["bits" + std::to_string(bits)] = EncodeBmp(PatternRaster(5, 3, 2), bits);
    for (int bits : {16, 24, 32})
        seeds["bits" + std::to_string(bits)] = EncodeBmp(smooth, bits);
    seeds["top-down"] = EncodeBmp(smooth, 24, true);
    seeds["core"] = EncodeBmp(PatternRaster(5, 3, 4), 8, false, BmpHeader::Core);
    seeds["fields565"] = EncodeBmp(smooth, 16, false, BmpHeader::InfoBitFields);
    seeds["v5"] = EncodeBmp(smooth, 32, false, BmpHeader::V5);
    const std::string bmp = EncodeBmp(smooth, 24);
    seeds["cut"] = bmp.substr(0, bmp.size() - 7);
    EXPECT_EQ(CheckSeeds("bmp_reader_fuzzer", seeds), "");
}

TEST(PictureCorpusSeeds, Png) {
    const CRaster smooth = PatternRaster(5, 3);
    const CRaster few = PatternRaster(5, 3, 6);
    std::map<std::string, std::string> seeds{
        {"rgb", EncodePng(smooth, std::nullopt, PngKind::Rgb)},
        {"rgba", EncodePng(smooth, Ramp(5, 3), PngKind::RgbAlpha)},
        {"rgb16-interlaced", EncodePng(smooth, std::nullopt, PngKind::Rgb, 16, true)},
        {"grey", EncodePng(smooth, std::nullopt, PngKind::Grey)},
        {"grey1", EncodePng(smooth, std::nullopt, PngKind::Grey1)},
        {"grey-alpha", EncodePng(smooth, Ramp(5, 3), PngKind::GreyAlpha)},
        {"palette-trns", EncodePng(few, Ramp(5, 3), PngKind::PaletteTrns)},
        {"rgb-trns", EncodePng(few, std::nullopt, PngKind::RgbTrns)},
    };
    const std::string png = seeds["rgba"];
    seeds["cut"] = png.substr(0, png.size() - 20);
    EXPECT_EQ(CheckSeeds("png_reader_fuzzer", seeds), "");
}

TEST(PictureCorpusSeeds, Jpeg) {
    const CRaster smooth = PatternRaster(17, 9);
    const std::string colour = EncodeJpeg(smooth, JpegKind::Colour, 50);
    EXPECT_EQ(CheckSeeds("jpeg_reader_fuzzer",
                         {{"colour", colour},
                          {"grey", EncodeJpeg(smooth, JpegKind::Grey, 50)},
                          {"progressive", EncodeJpeg(smooth, JpegKind::Progressive, 50)},
                          {"cmyk", EncodeJpeg(PatternRaster(3, 2), JpegKind::Cmyk, 50)},
                          {"cut", colour.substr(0, colour.size() / 2)}}),
              "");
}

} // namespace
