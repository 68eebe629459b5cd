#pragma once

#include "novel/NovelData.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The novel check: what a reader would run into (broken links, dead ends, unknown names, typed
// commands the player cannot read, missing files) found before a build. It only reads the model
// and asks the novel folder about files; it changes nothing.
namespace miravo {

enum class CheckSeverity {
    Error,   // the reader will run into it
    Warning, // probably not what the author meant
};

struct CheckFinding {
    CheckSeverity severity = CheckSeverity::Error;
    int itemIndex = -1;   // -1: the novel's settings, counters or text windows
    std::string itemName; // Shift-JIS, as the model holds it; empty outside items
    int line = 0;         // 1-based script line; 0 for the item itself or outside items
    std::string message;  // UTF-8, the system's style

    bool operator==(const CheckFinding&) const = default;
};

// What a referenced file is on disk.
enum class FileLookupState {
    Present,
    Missing,
    Unreadable,  // exists but cannot be opened for reading
    CaseDiffers, // exists, but only with another letter case (fine on Windows, not everywhere)
};
struct FileLookup {
    FileLookupState state = FileLookupState::Missing;
    std::string nameOnDisk; // Shift-JIS, for CaseDiffers: the name with the disk's letter case
};

// The novel folder as the check asks about it. Names are relative, safe and Shift-JIS.
class ICheckedFolder {
public:
    virtual ~ICheckedFolder() = default;
    virtual FileLookup Look(std::string_view name) = 0;
};

// The novel folder on disk. Listings are read once per folder, so a large novel's thousands of
// references cost one scan of each folder they name.
class DiskCheckedFolder : public ICheckedFolder {
public:
    explicit DiskCheckedFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}
    FileLookup Look(std::string_view name) override;

private:
    struct Entry {
        std::string name; // Shift-JIS
        bool isFolder = false;
    };
    const std::vector<Entry>* Listing(const std::filesystem::path& folder);

    std::filesystem::path folder_;
    std::map<std::filesystem::path, std::optional<std::vector<Entry>>> listings_;
};

// Findings in a fixed order: the novel's settings and tables first, then item by item (links,
// then script lines in order), then the start item and the items no path reaches. Without a folder
// (a novel never saved) files are not looked up; unsafe names are still reported.
std::vector<CheckFinding> CheckNovel(const CNovelModel& model, ICheckedFolder* folder);

bool HasErrors(const std::vector<CheckFinding>& findings);

// "エラー" or "警告".
std::string_view SeverityText(CheckSeverity severity);

// The known command whose word is nearest to `word` (letter case ignored), when it is close
// enough to be a likely typo; as the keyword list holds it (upper case).
std::optional<std::string_view> NearestCommand(std::string_view word);

} // namespace miravo
