#pragma once

#include <string>
#include <string_view>

namespace vintara {

// The library's texts (messages, paths, reports) are Shift-JIS, the Japanese ANSI code page;
// sources are UTF-8. These convert at the boundary. Characters without a counterpart become '?'.
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

} // namespace vintara
