#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace miravo {

// The program's own icons, drawn by code at build time (no picture comes from elsewhere): the
// program (a book with a note on a blue tile) and the novel document (a page carrying the tile).
// Each at 16, 32 and 48 pixels; the generator writes them as .ico files that the program's
// resources hold, the program first (icon index 0) and the document second (index 1).
struct IconImage {
    int size = 0;
    // Straight-alpha colours 0xAARRGGBB, rows from the top.
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
};

inline constexpr int kIconSizes[] = {16, 32, 48};

IconImage DrawProgramIcon(int size);
IconImage DrawNovelIcon(int size);

// An .ico file of 32-bit images with their transparency masks, in the order given.
std::string IcoFileBytes(const std::vector<IconImage>& images);

} // namespace miravo
