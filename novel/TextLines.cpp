#include "novel/TextLines.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace miravo {
namespace {

constexpr std::string_view kBreak = "\r\n";

const char* FindByte(const char* from, const char* end, char byte) {
    const void* found = std::memchr(from, byte, static_cast<std::size_t>(end - from));
    return found != nullptr ? static_cast<const char*>(found) : end;
}

std::size_t CountByte(std::string_view text, char byte) {
    std::size_t count = 0;
    const char* const end = text.data() + text.size();
    for (const char* at = FindByte(text.data(), end, byte); at != end;
         at = FindByte(at + 1, end, byte))
        ++count;
    return count;
}

} // namespace

CTextLines::CTextLines(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines)
        push_back(line);
}

// The common case: every break is CR LF. The text is then already in the held form and is
// copied whole; only the line starts are found. False (and nothing kept) on any other break.
bool CTextLines::AdoptCrLfText(std::string_view text) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    std::size_t start = 0;
    for (const char* lf = FindByte(begin, end, '\n'); lf != end; lf = FindByte(lf + 1, end, '\n')) {
        const std::size_t at = static_cast<std::size_t>(lf - begin);
        if (at == 0 || lf[-1] != '\r') {
            starts_.clear();
            return false;
        }
        starts_.push_back(start);
        start = at + 1;
    }
    // As many CRs as CR LF pairs: no CR stands alone.
    if (CountByte(text, '\r') != starts_.size()) {
        starts_.clear();
        return false;
    }
    text_.reserve(text.size() + kBreak.size());
    text_.assign(text);
    if (start < text.size()) {
        starts_.push_back(start);
        text_.append(kBreak);
    }
    return true;
}

CTextLines CTextLines::Split(std::string_view text) {
    if (const std::size_t zero = text.find('\0'); zero != std::string_view::npos)
        text = text.substr(0, zero);
    CTextLines lines;
    if (lines.AdoptCrLfText(text))
        return lines;
    lines.reserve(CountByte(text, '\n') + 1, text.size() + kBreak.size());
    // Scripts run to tens of megabytes: the next CR and the next LF are each found by memchr
    // and kept until the scan passes them.
    const char* const end = text.data() + text.size();
    const char* start = text.data();
    const char* nextCr = FindByte(start, end, '\r');
    const char* nextLf = FindByte(start, end, '\n');
    while (start != end) {
        const char* lineEnd = std::min(nextCr, nextLf);
        lines.push_back(std::string_view(start, static_cast<std::size_t>(lineEnd - start)));
        if (lineEnd == end)
            break;
        start = lineEnd + (*lineEnd == '\r' && lineEnd + 1 != end && lineEnd[1] == '\n' ? 2 : 1);
        if (nextCr < start)
            nextCr = FindByte(start, end, '\r');
        if (nextLf < start)
            nextLf = FindByte(start, end, '\n');
    }
    return lines;
}

std::string_view CTextLines::operator[](std::size_t index) const {
    const std::size_t start = starts_[index];
    const std::size_t next = index + 1 < starts_.size() ? starts_[index + 1] : text_.size();
    return std::string_view(text_).substr(start, next - start - kBreak.size());
}

std::string_view CTextLines::at(std::size_t index) const {
    if (index >= starts_.size())
        throw std::out_of_range("CTextLines::at");
    return (*this)[index];
}

void CTextLines::push_back(std::string_view line) {
    starts_.push_back(text_.size());
    text_.append(line);
    text_.append(kBreak);
}

void CTextLines::reserve(std::size_t lines, std::size_t bytes) {
    starts_.reserve(lines);
    text_.reserve(bytes);
}

void CTextLines::clear() {
    text_.clear();
    starts_.clear();
}

} // namespace miravo
