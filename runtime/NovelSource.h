#pragma once

#include "novel/BuildFileSystem.h"
#include "novel/FileCollection.h"
#include "novel/NovelData.h"
#include "novel/PackageReader.h"
#include "novel/PlaytestCommandLine.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where the runtime's novel and its data files come from: a playtest names a plain novel file
// and the novel folder; a built program carries the scrambled novel in the package appended to
// itself, and its data files in the package or beside it.
namespace miravo::runtime {

struct LoadedNovel {
    CNovelModel model;
    std::filesystem::path novelFile;   // the playtest's novel file; empty for a package
    std::filesystem::path programPath; // the running program
    std::filesystem::path novelFolder; // the playtest's "*" folder; empty when none
    std::optional<PackageDirectory> package;
};

// Reads the novel the arguments name, or the program's own package when they name none.
// EditorError (in words for the player) when there is no novel or it cannot be read.
void LoadNovel(const RuntimeArguments& arguments, const std::filesystem::path& programPath,
               IBuildFileSystem& files, LoadedNovel& novel);

enum class DataLocation { Package, ProgramFolder, NovelFolder, Missing, Refused };
std::string_view DataLocationName(DataLocation location);

// The first place that has the file: the package, the program's folder, the novel folder.
// A name that leaves those folders is never looked up.
DataLocation LocateDataFile(const LoadedNovel& novel, std::string_view name,
                            IBuildFileSystem& files);

// The bytes of a data file from the first place that has it; none when it is missing, refused,
// unreadable or larger than `maxBytes`.
std::optional<std::string> ReadDataFile(const LoadedNovel& novel, std::string_view name,
                                        IBuildFileSystem& files, std::int64_t maxBytes);

// Where a data file's bytes lie: a whole file on disk, or a byte window of the program (a
// packed file, as the sound engine plays it).
struct FileWindow {
    std::filesystem::path path;
    std::int64_t offset = 0;
    std::int64_t length = -1; // -1: the whole file
};
std::optional<FileWindow> FindDataFile(const LoadedNovel& novel, std::string_view name,
                                       IBuildFileSystem& files);
// A sound: the name as written, else the same name with ".ogg" or ".wav" instead of its
// extension (an author who converted the file keeps the script).
std::optional<FileWindow> FindSoundFile(const LoadedNovel& novel, std::string_view name,
                                        IBuildFileSystem& files);

// The save file: the ".mvb" name of the command line, else the program's own name with ".mvb".
std::filesystem::path SaveFilePath(const LoadedNovel& novel, const RuntimeArguments& arguments);

// Every data file the novel names (as the build collects them) with where it was found.
struct DataFile {
    std::string name; // Shift-JIS
    DataLocation location;
};
std::vector<DataFile> LocateDataFiles(LoadedNovel& novel, IBuildFileSystem& files);

} // namespace miravo::runtime
