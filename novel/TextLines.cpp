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

std::size_t CountCrLf(std::string_view text) {
    std::size_t count = 0;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* lf = FindByte(begin, end, '\n'); lf != end; lf = FindByte(lf + 1, end, '\n'))
        count += lf != begin && lf[-1] == '\r';
    return count;
}

} // namespace

CTextLines::CTextLines(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines)
        push_back(line);
}

// ----- Finding lines ----------------------------------------------------------------------------
std::size_t CTextLines::FindBreak(std::size_t start) const {
    const char* const begin = text_.data();
    const char* const end = begin + text_.size();
    for (const char* lf = FindByte(begin + start, end, '\n'); lf != end;
         lf = FindByte(lf + 1, end, '\n')) {
        if (lf != begin + start && lf[-1] == '\r')
            return static_cast<std::size_t>(lf - 1 - begin);
    }
    return text_.size(); // not reached: every line ends in CR LF
}

CTextLines::const_iterator::const_iterator(const CTextLines* lines, std::size_t index)
    : lines_(lines), index_(index) {
    if (index_ == 0 && !lines_->marks_.empty())
        nextMark_ = 1; // the first mark is line 0
}

std::size_t CTextLines::const_iterator::End() const {
    const std::vector<Mark>& marks = lines_->marks_;
    if (nextMark_ < marks.size() && marks[nextMark_].line == index_ + 1)
        return marks[nextMark_].start - kBreak.size();
    return lines_->FindBreak(start_);
}

std::string_view CTextLines::const_iterator::operator*() const {
    return std::string_view(lines_->text_).substr(start_, End() - start_);
}

CTextLines::const_iterator& CTextLines::const_iterator::operator++() {
    start_ = End() + kBreak.size();
    ++index_;
    const std::vector<Mark>& marks = lines_->marks_;
    while (nextMark_ < marks.size() && marks[nextMark_].line <= index_)
        ++nextMark_;
    return *this;
}

std::string_view CTextLines::operator[](std::size_t index) const {
    // The nearest mark at or before the line; the lines from there hold no CR LF of their own.
    const auto after =
        std::upper_bound(marks_.begin(), marks_.end(), index,
                         [](std::size_t line, const Mark& mark) { return line < mark.line; });
    const_iterator line(this, index);
    line.nextMark_ = static_cast<std::size_t>(after - marks_.begin());
    const Mark& mark = after[-1];
    line.start_ = mark.start;
    for (std::size_t skipped = mark.line; skipped < index; ++skipped)
        line.start_ = FindBreak(line.start_) + kBreak.size();
    return *line;
}

std::string_view CTextLines::at(std::size_t index) const {
    if (index >= count_)
        throw std::out_of_range("CTextLines::at");
    return (*this)[index];
}

// ----- Building ---------------------------------------------------------------------------------
void CTextLines::PushLine(std::string_view line, bool holdsBreak) {
    if (count_ % kMarkSpacing == 0 && (marks_.empty() || marks_.back().line != count_))
        marks_.push_back({count_, text_.size()});
    text_.append(line); // `line` may lie in text_: not used after this
    text_.append(kBreak);
    ++count_;
    if (holdsBreak)
        marks_.push_back({count_, text_.size()});
}

void CTextLines::push_back(std::string_view line) {
    PushLine(line, line.find(kBreak) != std::string_view::npos);
}

// The common case: every break is CR LF. The text is then already in the held form and is
// copied whole; only every 64th line start is noted. False (and nothing kept) on any other break.
bool CTextLines::AdoptCrLfText(std::string_view text) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    std::size_t start = 0;
    std::size_t count = 0;
    for (const char* lf = FindByte(begin, end, '\n'); lf != end; lf = FindByte(lf + 1, end, '\n')) {
        const std::size_t at = static_cast<std::size_t>(lf - begin);
        if (at == 0 || lf[-1] != '\r') {
            marks_.clear();
            return false;
        }
        if (count % kMarkSpacing == 0)
            marks_.push_back({count, start});
        ++count;
        start = at + 1;
    }
    // As many CRs as CR LF pairs: no CR stands alone.
    if (CountByte(text, '\r') != count) {
        marks_.clear();
        return false;
    }
    // Room for the empty line that loading adds after a script.
    text_.reserve(text.size() + 2 * kBreak.size());
    text_.assign(text);
    count_ = count;
    if (start < text.size()) {
        if (count_ % kMarkSpacing == 0)
            marks_.push_back({count_, start});
        ++count_;
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
    // Each lone break becomes CR LF: the held text grows by one byte for each.
    const std::size_t crs = CountByte(text, '\r');
    const std::size_t lfs = CountByte(text, '\n');
    const std::size_t loneBreaks = crs + lfs - 2 * CountCrLf(text);
    lines.reserve(crs + lfs + 1, text.size() + loneBreaks + 2 * kBreak.size());
    // Scripts run to tens of megabytes: the next CR and the next LF are each found by memchr
    // and kept until the scan passes them.
    const char* const end = text.data() + text.size();
    const char* start = text.data();
    const char* nextCr = FindByte(start, end, '\r');
    const char* nextLf = FindByte(start, end, '\n');
    while (start != end) {
        const char* lineEnd = std::min(nextCr, nextLf);
        lines.PushLine(std::string_view(start, static_cast<std::size_t>(lineEnd - start)), false);
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

void CTextLines::reserve(std::size_t lines, std::size_t bytes) {
    marks_.reserve(lines / kMarkSpacing + 1);
    text_.reserve(bytes);
}

void CTextLines::clear() {
    text_.clear();
    marks_.clear();
    count_ = 0;
}

} // namespace miravo
