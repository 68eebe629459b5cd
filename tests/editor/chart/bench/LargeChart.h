#pragma once

#include "novel/NovelData.h"

#include <cstdint>
#include <string>

namespace miravo::bench {

// The largest novel the chart shows: 2048 items on a 3000 × 3000 chart, every one of the 16384
// link slots enabled. `nearby`: each item links to items a few places away in a grid (short
// lines); otherwise to items anywhere (lines across the chart).
inline void MakeLargeChart(CNovelModel& model, bool nearby) {
    model.Header.ChartWidth = 3000;
    model.Header.ChartHeight = 3000;
    model.Items.Clear();
    constexpr int kCount = CNovelItems::kMaxCount;
    constexpr int kColumns = 19; // 19 × 150 pixels across, 108 rows of 27 pixels
    std::uint32_t seed = 12345;
    const auto next = [&] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int i = 0; i < kCount; ++i) {
        CNovelItem& item = model.Items.Add();
        item.Name = "item" + std::to_string(i);
        item.X = 8 + (i % kColumns) * 156;
        item.Y = 8 + (i / kColumns) * 27;
        item.LinkType = static_cast<std::uint8_t>(i % 7 == 6 ? kLinkAuto : kLinkMenu);
    }
    for (int i = 0; i < kCount; ++i) {
        CNovelItem& item = model.Items[i];
        for (int slot = 0; slot < kLinkSlotCount; ++slot) {
            // Nearby: the neighbours in the grid, left, right, above, below and diagonal.
            constexpr int kNeighbours[kLinkSlotCount] = {1,
                                                         -1,
                                                         kColumns,
                                                         -kColumns,
                                                         kColumns + 1,
                                                         kColumns - 1,
                                                         -kColumns + 1,
                                                         -kColumns - 1};
            const int target = nearby ? (i + kNeighbours[slot] + kCount) % kCount
                                      : static_cast<int>(next() % kCount);
            item.Links[slot].Enabled = true;
            item.Links[slot].Target = "item" + std::to_string(target);
            item.Links[slot].UseCounter = slot == 3;
        }
    }
}

} // namespace miravo::bench
