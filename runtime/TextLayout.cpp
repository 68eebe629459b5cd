#include "runtime/TextLayout.h"

#include "novel/ShiftJis.h"

namespace miravo::runtime {

std::vector<std::string> WrapLine(std::string_view line, int width, const CharacterWidth& measure) {
    std::vector<std::string> rows(1);
    int used = 0;
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t length = sjis::CharLength(line, i);
        const std::string_view character = line.substr(i, length);
        const int advance = measure(character);
        if (used + advance > width && !rows.back().empty()) {
            rows.emplace_back();
            used = 0;
        }
        rows.back() += character;
        used += advance;
        i += length;
    }
    return rows;
}

} // namespace miravo::runtime
