#include "editor/shell/icons/ProgramIcons.h"

#include <gtest/gtest.h>

#include <cstring>

namespace miravo {
namespace {

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

// Both icons at 16, 32 and 48 pixels, opaque in the middle and clear in a corner, and an .ico
// directory whose entries point at 32-bit images of those sizes.
TEST(ProgramIcons, IconFilesHoldEverySizeWithTransparency) {
    for (const auto draw : {&DrawProgramIcon, &DrawNovelIcon}) {
        std::vector<IconImage> images;
        for (const int size : kIconSizes) {
            images.push_back(draw(size));
            const IconImage& image = images.back();
            ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(size * size));
            EXPECT_EQ(image.At(size / 2, size * 3 / 4) >> 24, 0xFFu) << size;
            EXPECT_EQ(image.At(size - 1, 0) >> 24, 0u) << size;
        }
        const std::string file = IcoFileBytes(images);
        ASSERT_EQ(file.substr(0, 6), std::string("\0\0\1\0\3\0", 6));
        std::size_t end = 6 + 3 * 16;
        for (int i = 0; i < 3; ++i) {
            const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
            EXPECT_EQ(static_cast<unsigned char>(file[entry]), kIconSizes[i]);
            EXPECT_EQ(file[entry + 6], 32); // bits per pixel
            EXPECT_EQ(Read32(file, entry + 12), end);
            EXPECT_EQ(Read32(file, end + 8), static_cast<std::uint32_t>(kIconSizes[i] * 2));
            end += Read32(file, entry + 8);
        }
        EXPECT_EQ(end, file.size());
    }
}

} // namespace
} // namespace miravo
