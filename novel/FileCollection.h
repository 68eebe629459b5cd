#pragma once

#include "novel/BuildFileSystem.h"
#include "novel/NovelData.h"
#include "novel/NovelNames.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The data files a novel uses, for the build: the header's pictures and sounds, the text
// windows' pictures and the files of the script commands that name one. Names stay relative to
// the novel folder, in lower case, without duplicates, in the order first met.
namespace miravo {

// What collection asks of the novel folder. Names are relative and Shift-JIS; only names that
// stay inside the folder (IsSafeName) are ever asked about.
class INovelFolderFiles {
public:
    virtual ~INovelFolderFiles() = default;
    virtual bool Exists(std::string_view name) = 0;
    // Opens the file (others may go on reading and writing it) for its size; nothing when it
    // cannot be opened.
    virtual std::optional<std::int64_t> SizeOf(std::string_view name) = 0;
};

// The novel folder on a file system.
class NovelFolderFiles : public INovelFolderFiles {
public:
    NovelFolderFiles(IBuildFileSystem& files, std::filesystem::path folder)
        : files_(files), folder_(std::move(folder)) {}
    bool Exists(std::string_view name) override;
    std::optional<std::int64_t> SizeOf(std::string_view name) override;

private:
    IBuildFileSystem& files_;
    std::filesystem::path folder_;
};

// Called once per item or file with its 0-based index and the bar's maximum (count - 1), so
// that a window can move its bar and process pending messages.
using ProgressStep = std::function<void(int position, int maximum)>;

// Empties `list` and fills it. Sets the header's UsesMp3 when a sound command names an MP3
// file (never clears it). A name that leaves the novel folder is collected as written and never
// looked up.
void CollectReferencedFiles(CNovelModel& model, INovelFolderFiles& folder,
                            std::vector<std::string>& list, const ProgressStep& onItem = {});

// A collected file the build cannot use: missing or locked (Safe), or a name that leaves the
// novel folder.
struct UnusableFile {
    std::string name; // Shift-JIS, as collected
    NameSafety safety = NameSafety::Safe;
    bool operator==(const UnusableFile&) const = default;
};
// The line of the survey's error list (UTF-8): the name, and why for a name that leaves the
// folder.
std::string UnusableFileLine(const UnusableFile& file);

// Opens every listed file in list order and adds up the sizes. A file that cannot be used is
// appended to `unusable` and makes the result -1; later files are still opened and listed.
// An empty list gives 0.
std::int64_t CheckFileSizes(const std::vector<std::string>& list, INovelFolderFiles& folder,
                            std::vector<UnusableFile>& unusable, const ProgressStep& onFile = {});

} // namespace miravo
