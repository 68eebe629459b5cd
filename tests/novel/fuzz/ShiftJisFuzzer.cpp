// Any bytes through the Shift-JIS conversions: every byte string comes back unchanged, and any
// UTF-8 converts without reading past its end.
#include "novel/ShiftJis.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace miravo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (sjis::FromUtf8Exact(sjis::ToUtf8(bytes)) != bytes ||
        sjis::FromUtf16Exact(sjis::ToUtf16(bytes)) != bytes)
        std::abort();
    (void)sjis::FromUtf8(bytes);
    (void)sjis::Utf16ToUtf8(sjis::Utf8ToUtf16(bytes));
    const std::string upper = sjis::AsciiUpper(bytes);
    if (upper.size() != size || sjis::AsciiLower(upper) != sjis::AsciiLower(bytes))
        std::abort();
    return 0;
}
