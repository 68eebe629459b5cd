#pragma once

namespace miravo {

// The chart size dialog's rules: at least 300 pixels each way, steps of 100, no upper limit
// beyond what the novel file's 32-bit field holds.
inline constexpr int kMinChartSize = 300;
inline constexpr int kChartSizeStep = 100;

} // namespace miravo
