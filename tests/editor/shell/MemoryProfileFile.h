#pragma once

#include "editor/shell/Settings.h"

#include <map>
#include <string>
#include <utility>

namespace miravo::test {

// An ini file in memory. Section and key names compare without regard to case, as the Windows
// profile functions compare them.
class MemoryProfileFile : public IProfileFile {
public:
    std::optional<std::u16string> ReadString(std::string_view section,
                                             std::string_view key) const override {
        auto found = values_.find({Fold(section), Fold(key)});
        if (found == values_.end())
            return std::nullopt;
        return found->second;
    }
    void WriteString(std::string_view section, std::string_view key,
                     std::u16string_view value) override {
        values_[{Fold(section), Fold(key)}] = std::u16string(value);
    }
    void EraseSection(std::string_view section) override {
        std::string folded = Fold(section);
        std::erase_if(values_, [&](const auto& entry) { return entry.first.first == folded; });
    }

    std::size_t KeyCount(std::string_view section) const {
        std::string folded = Fold(section);
        std::size_t count = 0;
        for (const auto& entry : values_)
            count += entry.first.first == folded;
        return count;
    }

private:
    static std::string Fold(std::string_view name) {
        std::string folded(name);
        for (char& c : folded) {
            if (c >= 'A' && c <= 'Z')
                c = char(c + 32);
        }
        return folded;
    }

    std::map<std::pair<std::string, std::string>, std::u16string> values_;
};

} // namespace miravo::test
