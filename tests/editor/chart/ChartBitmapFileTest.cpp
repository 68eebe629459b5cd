#include "editor/chart/ChartBitmapFile.h"

#include "novel/EditorError.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace miravo {
namespace {

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

TEST(ChartBitmapFileTest, BandsMakeOneBottomUpPictureWithPaddedRows) {
    const auto path = std::filesystem::temp_directory_path() / "miravo-chart-bands.bmp";
    constexpr int kWidth = 5; // 15 bytes a row, padded to 16
    constexpr int kHeight = 7;
    int calls = 0;
    // Each pixel says where it is: blue = x, green = y, red = 200.
    WriteBmp24(path, kWidth, kHeight, 3,
               [&](int top, int rows, std::uint8_t* pixels, std::size_t stride) {
                   ++calls;
                   EXPECT_EQ(stride, 16u);
                   for (int row = 0; row < rows; ++row) {
                       for (int x = 0; x < kWidth; ++x) {
                           std::uint8_t* pixel = pixels + row * stride + x * 3;
                           pixel[0] = static_cast<std::uint8_t>(x);
                           pixel[1] = static_cast<std::uint8_t>(top + row);
                           pixel[2] = 200;
                       }
                   }
               });
    EXPECT_EQ(calls, 3); // rows 4-6, 1-3, 0
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::filesystem::remove(path);
    ASSERT_EQ(bytes.size(), 54u + 16u * kHeight);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Read32(bytes, 2), bytes.size());
    EXPECT_EQ(Read32(bytes, 10), 54u);
    EXPECT_EQ(Read32(bytes, 18), static_cast<std::uint32_t>(kWidth));
    EXPECT_EQ(Read32(bytes, 22), static_cast<std::uint32_t>(kHeight)); // bottom-up
    EXPECT_EQ(bytes[28], 24);
    for (int fileRow = 0; fileRow < kHeight; ++fileRow) {
        for (int x = 0; x < kWidth; ++x) {
            const std::size_t at = 54 + fileRow * 16 + x * 3;
            ASSERT_EQ(bytes[at], x);
            ASSERT_EQ(bytes[at + 1], kHeight - 1 - fileRow);
            ASSERT_EQ(static_cast<unsigned char>(bytes[at + 2]), 200);
        }
    }
}

TEST(ChartBitmapFileTest, SizesTheFormatCannotHoldAreRefusedBeforeAnyFileIsMade) {
    EXPECT_TRUE(BmpCanHold(30000, 30000));  // 2.7 GB
    EXPECT_FALSE(BmpCanHold(60000, 60000)); // 10.8 GB: the file's 32-bit size field overflows
    EXPECT_FALSE(BmpCanHold(0, 10));
    const auto path = std::filesystem::temp_directory_path() / "miravo-chart-too-large.bmp";
    std::filesystem::remove(path);
    EXPECT_THROW(WriteBmp24(path, 60000, 60000, 16, [](int, int, std::uint8_t*, std::size_t) {}),
                 EditorError);
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
} // namespace miravo
