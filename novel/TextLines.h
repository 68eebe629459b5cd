#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace miravo {

// A list of text lines (an item's script, an export), held as one text in which every line is
// followed by CR LF: the form the novel file, the text box and the exports use. Loading, saving
// and showing a script copy it whole instead of making a heap string per line, which dominated
// the time of opening a large novel. A line is kept as it was put in, also if it holds breaks.
// Line starts are kept only for every 64th line (and after a line that holds a CR LF itself):
// a script of millions of empty lines costs little more than its text. Going through the lines
// in order is linear; indexing finds the line from the nearest kept start.
class CTextLines {
    struct Mark {
        std::size_t line;
        std::size_t start;
        bool operator==(const Mark&) const = default;
    };

public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        std::string_view operator*() const;
        const_iterator& operator++();
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator& other) const { return index_ == other.index_; }

    private:
        friend class CTextLines;
        const_iterator(const CTextLines* lines, std::size_t index);
        std::size_t End() const; // where the current line's CR LF is
        const CTextLines* lines_ = nullptr;
        std::size_t index_ = 0;
        std::size_t start_ = 0;
        std::size_t nextMark_ = 0; // the first mark after the current line
    };
    using iterator = const_iterator;
    using value_type = std::string_view;

    CTextLines() = default;
    CTextLines(std::initializer_list<std::string_view> lines);

    // Splits at CR LF, lone CR and lone LF; a final break starts no further line; a zero byte
    // ends the text.
    static CTextLines Split(std::string_view text);

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    std::string_view operator[](std::size_t index) const;
    std::string_view at(std::size_t index) const; // std::out_of_range past the end
    std::string_view back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    void push_back(std::string_view line);
    void reserve(std::size_t lines, std::size_t bytes);
    void clear();

    // Every line followed by CR LF.
    const std::string& Joined() const { return text_; }

    bool operator==(const CTextLines&) const = default;

private:
    static constexpr std::size_t kMarkSpacing = 64;

    bool AdoptCrLfText(std::string_view text);
    void PushLine(std::string_view line, bool holdsBreak);
    // The CR LF that ends the line starting at `start`, for a line that holds none itself.
    std::size_t FindBreak(std::size_t start) const;

    std::string text_;
    std::size_t count_ = 0;
    // Sorted by line: every kMarkSpacing-th line, and the line after each line that holds a
    // CR LF (whose end a search for the next CR LF would miss). Lines between two marks hold
    // no CR LF.
    std::vector<Mark> marks_;
};

} // namespace miravo
