#pragma once

#include <string>
#include <string_view>

// Conversions at the W-interface boundary. Interaction texts are UTF-8, the model's strings are
// Shift-JIS (converted by the one Shift-JIS helper).
namespace miravo {

std::wstring Widen(std::string_view utf8);
std::string NarrowToUtf8(std::wstring_view text);
std::wstring WidenShiftJis(std::string_view shiftJis);
std::string NarrowToShiftJis(std::wstring_view text);

} // namespace miravo
