#include "editor/script/ScriptSearch.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any text, pattern, selection and options: a match lies inside the text, downwards at or after
// the selection's end and upwards before its start.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const std::uint8_t flags = data[0];
    const std::size_t split = data[1] % (size - 3) + 3;
    const std::string_view text(reinterpret_cast<const char*>(data) + split, size - split);
    const std::string_view pattern(reinterpret_cast<const char*>(data) + 3, split - 3);
    const std::size_t start = text.empty() ? 0 : data[2] % text.size();
    miravo::SearchOptions options;
    options.down = (flags & 1) != 0;
    options.matchCase = (flags & 2) != 0;
    options.wholeWord = (flags & 4) != 0;
    options.noMatchZenkaku = (flags & 8) != 0;
    options.includeCrLf = options.includeSpace = (flags & 16) != 0;
    const auto match = miravo::SearchText(text, start, 0, pattern, options);
    if (match) {
        if (match->length == 0 || match->start + match->length > text.size() ||
            (options.down && match->start < start) || (!options.down && match->start >= start)) {
            __builtin_trap();
        }
    }
    return 0;
}
