#include "editor/widgets/WideText.h"

#include "novel/ShiftJis.h"
#include "vintara/Win32.h"

namespace miravo {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, result.data(), length);
    return result;
}

std::string NarrowToUtf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

std::wstring WidenShiftJis(std::string_view shiftJis) {
    const std::u16string wide = sjis::ToUtf16(shiftJis);
    return {wide.begin(), wide.end()};
}

std::string NarrowToShiftJis(std::wstring_view text) {
    return sjis::FromUtf16(std::u16string(text.begin(), text.end()));
}

} // namespace miravo
