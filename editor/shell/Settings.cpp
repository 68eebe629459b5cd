#include "editor/shell/Settings.h"

#include "editor/shell/RecentFiles.h"

#include <algorithm>
#include <limits>
#include <string>

namespace miravo {

namespace {

constexpr std::string_view kVersionSection = "Version";
constexpr std::string_view kSavedVersionKey = "SavedVersion";
constexpr std::string_view kRecentFilesSection = "RecentFiles";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string ToDecimal(int value) {
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

std::optional<int> ParseInteger(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // Accumulate negatively so that the most negative int parses too.
    long long value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 - (c - u'0');
        if (value < std::numeric_limits<int>::min())
            return std::nullopt;
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    return static_cast<int>(value);
}

int ReadInteger(const IProfileFile& file, std::string_view section, std::string_view key,
                int defaultValue) {
    std::optional<std::u16string> text = file.ReadString(section, key);
    if (!text)
        return defaultValue;
    return ParseInteger(*text).value_or(defaultValue);
}

bool ReadBool(const IProfileFile& file, std::string_view section, std::string_view key,
              bool defaultValue) {
    return ReadInteger(file, section, key, defaultValue ? 1 : 0) != 0;
}

void WriteInteger(IProfileFile& file, std::string_view section, std::string_view key, int value) {
    file.WriteString(section, key, ToDecimal(value));
}

void WriteBool(IProfileFile& file, std::string_view section, std::string_view key, bool value) {
    WriteInteger(file, section, key, value ? 1 : 0);
}

bool ReadFirstRunFlag(const IProfileFile& file) {
    return ReadInteger(file, kVersionSection, kSavedVersionKey, 0) < kSettingsVersion;
}

void WriteSavedVersion(IProfileFile& file) {
    WriteInteger(file, kVersionSection, kSavedVersionKey, kSettingsVersion);
}

std::vector<std::u16string> ReadRecentFilePaths(const IProfileFile& file) {
    std::vector<std::u16string> paths;
    for (std::size_t i = 1; i <= RecentFiles::kStoredCount; ++i) {
        std::optional<std::u16string> path =
            file.ReadString(kRecentFilesSection, std::to_string(i));
        if (path && !path->empty())
            paths.push_back(std::move(*path));
    }
    return paths;
}

void ReadRecentFiles(const IProfileFile& file, RecentFiles& recentFiles) {
    recentFiles.Assign(ReadRecentFilePaths(file));
}

void WriteRecentFiles(IProfileFile& file, const RecentFiles& recentFiles) {
    file.EraseSection(kRecentFilesSection);
    const std::vector<std::u16string>& paths = recentFiles.Paths();
    std::size_t count = std::min(paths.size(), RecentFiles::kStoredCount);
    for (std::size_t i = 0; i < count; ++i)
        file.WriteString(kRecentFilesSection, std::to_string(i + 1), paths[i]);
}

} // namespace miravo
