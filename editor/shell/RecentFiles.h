#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace miravo {

// The recent novel files, most recent first, without duplicates. Paths are UTF-16 exactly as the
// W file dialogs and the command line give them, so a name survives whatever the system code
// page is. Two paths are the same file when they are equal without regard to letter case (as the
// file system compares them); the spelling stored first is kept.
class RecentFiles {
public:
    // Only this many are written to and read from the settings file; during a run the list grows
    // without a limit.
    static constexpr std::size_t kStoredCount = 10;

    // Puts the path at the top: inserted if absent, else the stored entry moves up unchanged.
    void Add(std::u16string_view path);

    // Replaces the list with paths read from the settings file, keeping their order; later
    // duplicates and empty paths are dropped.
    void Assign(const std::vector<std::u16string>& paths);

    const std::vector<std::u16string>& Paths() const { return paths_; }
    bool Empty() const { return paths_.empty(); }
    std::size_t Count() const { return paths_.size(); }

private:
    std::vector<std::u16string> paths_;
};

// Equal without regard to the case of ASCII, Latin-1, Greek, Cyrillic and full-width letters.
bool SamePathIgnoringCase(std::u16string_view a, std::u16string_view b);

} // namespace miravo
