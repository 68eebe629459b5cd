#include "editor/shell/RecentFiles.h"

#include <algorithm>

namespace miravo {

namespace {

// Simple case folding over the scripts an author's paths are written in; the file system's own
// table covers more, but these are the letters that have a case in Japanese file names.
char16_t FoldCase(char16_t c) {
    if (c >= u'A' && c <= u'Z')
        return char16_t(c + 0x20);
    if (c >= 0x00C0 && c <= 0x00DE &&
        c != 0x00D7) // Latin-1 capitals, except the multiplication sign
        return char16_t(c + 0x20);
    if (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) // Greek capitals
        return char16_t(c + 0x20);
    if (c >= 0x0410 && c <= 0x042F) // Cyrillic capitals
        return char16_t(c + 0x20);
    if (c >= 0x0400 && c <= 0x040F) // Cyrillic capitals with marks (Ё and the like)
        return char16_t(c + 0x50);
    if (c >= 0xFF21 && c <= 0xFF3A) // full-width Latin capitals
        return char16_t(c + 0x20);
    return c;
}

} // namespace

bool SamePathIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

void RecentFiles::Add(std::u16string_view path) {
    auto found = std::find_if(paths_.begin(), paths_.end(), [&](const std::u16string& stored) {
        return SamePathIgnoringCase(stored, path);
    });
    if (found == paths_.end())
        paths_.insert(paths_.begin(), std::u16string(path));
    else
        std::rotate(paths_.begin(), found, found + 1);
}

void RecentFiles::Assign(const std::vector<std::u16string>& paths) {
    paths_.clear();
    for (const std::u16string& path : paths) {
        if (path.empty())
            continue;
        bool known = std::any_of(paths_.begin(), paths_.end(), [&](const std::u16string& stored) {
            return SamePathIgnoringCase(stored, path);
        });
        if (!known)
            paths_.push_back(path);
    }
}

} // namespace miravo
