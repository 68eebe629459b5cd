#pragma once

#include <string>
#include <string_view>

namespace vintara {

// The library's texts (messages, paths, reports) are Shift-JIS, the Japanese ANSI code page;
// sources are UTF-8. These convert at the boundary. Characters without a counterpart become '?'.
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

#ifdef _WIN32
// For the W interfaces: Shift-JIS shows correctly whatever the system's ANSI code page is.
std::wstring AnsiToWide(std::string_view ansi);
#endif

} // namespace vintara
