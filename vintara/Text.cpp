#include "vintara/Text.h"

#ifdef _WIN32
#include "vintara/Win32.h"
#else
#include <iconv.h>
#endif

namespace vintara {
namespace {

#ifdef _WIN32
constexpr UINT kShiftJisCodePage = 932;

std::string Convert(std::string_view text, UINT from, UINT to) {
    if (text.empty())
        return {};
    const int wideLength = MultiByteToWideChar(from, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(wideLength), L'\0');
    MultiByteToWideChar(from, 0, text.data(), int(text.size()), wide.data(), wideLength);
    const int length =
        WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string result(std::size_t(length), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideLength, result.data(), length, nullptr, nullptr);
    return result;
}
#else
std::string Convert(std::string_view text, const char* from, const char* to) {
    if (text.empty())
        return {};
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return std::string(text);
    std::string result;
    char buffer[256];
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(cd, &in, &inLeft, &out, &outLeft) == std::size_t(-1) && out == buffer) {
            // Unconvertible or incomplete input: replace one byte and go on.
            result += '?';
            ++in;
            --inLeft;
            continue;
        }
        result.append(buffer, std::size_t(out - buffer));
    }
    iconv_close(cd);
    return result;
}
#endif

} // namespace

#ifdef _WIN32
std::string Utf8ToAnsi(std::string_view utf8) { return Convert(utf8, CP_UTF8, kShiftJisCodePage); }
std::string AnsiToUtf8(std::string_view ansi) { return Convert(ansi, kShiftJisCodePage, CP_UTF8); }

std::wstring AnsiToWide(std::string_view ansi) {
    if (ansi.empty())
        return {};
    const int length =
        MultiByteToWideChar(kShiftJisCodePage, 0, ansi.data(), int(ansi.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(kShiftJisCodePage, 0, ansi.data(), int(ansi.size()), wide.data(), length);
    return wide;
}
#else
std::string Utf8ToAnsi(std::string_view utf8) { return Convert(utf8, "UTF-8", "CP932"); }
std::string AnsiToUtf8(std::string_view ansi) { return Convert(ansi, "CP932", "UTF-8"); }
#endif

} // namespace vintara
