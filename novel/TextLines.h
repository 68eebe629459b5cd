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
class CTextLines {
public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        std::string_view operator*() const { return (*lines_)[index_]; }
        const_iterator& operator++() {
            ++index_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++index_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return index_ == other.index_; }

    private:
        friend class CTextLines;
        const_iterator(const CTextLines* lines, std::size_t index) : lines_(lines), index_(index) {}
        const CTextLines* lines_ = nullptr;
        std::size_t index_ = 0;
    };
    using iterator = const_iterator;
    using value_type = std::string_view;

    CTextLines() = default;
    CTextLines(std::initializer_list<std::string_view> lines);

    // Splits at CR LF, lone CR and lone LF; a final break starts no further line; a zero byte
    // ends the text.
    static CTextLines Split(std::string_view text);

    std::size_t size() const { return starts_.size(); }
    bool empty() const { return starts_.empty(); }
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
    bool AdoptCrLfText(std::string_view text);

    std::string text_;
    std::vector<std::size_t> starts_; // where each line begins in text_
};

} // namespace miravo
