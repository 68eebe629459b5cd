#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace miravo {

class RecentFiles;

// The editor's settings file "MiravoEditor.ini" in the program folder: whether this version has
// run before, the recent novel files and the window layout (WindowLayout.h). The keys are read
// when the main window is first shown and written when it closes.
inline constexpr std::u16string_view kSettingsFileName = u"MiravoEditor.ini";

// "SavedVersion" in "Version": the version that last wrote the file. Below this the start is the
// first one of this version.
inline constexpr int kSettingsVersion = 970;

// One ini file: sections of key=value lines. Section and key names are ASCII; values are UTF-16.
// IniProfileFile (SettingsIniFile.h) is the Windows profile-file implementation; tests use an
// in-memory one.
class IProfileFile {
public:
    virtual ~IProfileFile() = default;
    // nullopt when the key is absent.
    virtual std::optional<std::u16string> ReadString(std::string_view section,
                                                     std::string_view key) const = 0;
    virtual void WriteString(std::string_view section, std::string_view key,
                             std::u16string_view value) = 0;
    virtual void EraseSection(std::string_view section) = 0;
};

// Typed values. Numbers are decimal; booleans are written as 1 or 0 and read as "not 0". A key
// that is absent or does not hold a number reads as the default.
int ReadInteger(const IProfileFile& file, std::string_view section, std::string_view key,
                int defaultValue);
bool ReadBool(const IProfileFile& file, std::string_view section, std::string_view key,
              bool defaultValue);
void WriteInteger(IProfileFile& file, std::string_view section, std::string_view key, int value);
void WriteBool(IProfileFile& file, std::string_view section, std::string_view key, bool value);

// The decimal number a whole value holds (blanks around it allowed), or nullopt.
std::optional<int> ParseInteger(std::u16string_view text);

// True when "SavedVersion" reads below kSettingsVersion (absent: 0).
bool ReadFirstRunFlag(const IProfileFile& file);
void WriteSavedVersion(IProfileFile& file);

// Keys "1" to "10" of "RecentFiles" in order; empty values are skipped.
std::vector<std::u16string> ReadRecentFilePaths(const IProfileFile& file);
void ReadRecentFiles(const IProfileFile& file, RecentFiles& recentFiles);
// Rewrites the section with the first ten paths, most recent as "1": a shorter list leaves no key
// of an earlier, longer one behind.
void WriteRecentFiles(IProfileFile& file, const RecentFiles& recentFiles);

} // namespace miravo
