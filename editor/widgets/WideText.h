#pragma once

#include "editor/shell/UiText.h"

#include <string>
#include <string_view>

// Conversions at the W-interface boundary. Interaction texts are UTF-8, the model's strings are
// Shift-JIS (converted by the one Shift-JIS helper).
namespace miravo {

std::wstring Widen(std::string_view utf8);
std::string NarrowToUtf8(std::wstring_view text);
std::wstring WidenShiftJis(std::string_view shiftJis);
std::string NarrowToShiftJis(std::wstring_view text);

// UI text to and from the W interfaces (wchar_t is UTF-16 on Windows).
inline std::wstring ToWide(const UiText& text) {
    const std::u16string wide = text.Utf16();
    return {wide.begin(), wide.end()};
}
inline UiText UiTextOf(std::wstring_view text) {
    return UiText::FromUtf16(std::u16string(text.begin(), text.end()));
}

} // namespace miravo
