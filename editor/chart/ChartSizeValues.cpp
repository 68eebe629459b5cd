#include "editor/chart/ChartSizeValues.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace miravo {

std::optional<int> ParseChartSize(std::u16string_view text) {
    const auto space = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; };
    while (!text.empty() && space(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && space(text.back())) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char16_t c : text) {
        // Full-width digits count as the editor's numeric edits have always taken them.
        if (c >= u'０' && c <= u'９') {
            c = static_cast<char16_t>(u'0' + (c - u'０'));
        }
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - u'0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            return std::nullopt;
        }
    }
    return std::max(static_cast<int>(value), kMinChartSize);
}

} // namespace miravo
