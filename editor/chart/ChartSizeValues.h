#pragma once

#include <optional>
#include <string_view>

namespace miravo {

// The chart size dialog's rules: at least 300 pixels each way, steps of 100, no upper limit
// beyond what the novel file's 32-bit field holds.
inline constexpr int kMinChartSize = 300;
inline constexpr int kChartSizeStep = 100;

struct ChartSizeValues {
    int width = 0;
    int height = 0;
};

// The value an edit's text stands for: digits (spaces around them allowed), raised to the
// minimum; nothing when it is no number or beyond the 32-bit range.
std::optional<int> ParseChartSize(std::u16string_view text);

} // namespace miravo
