#include "runtime/NovelSource.h"

#include "novel/EditorError.h"
#include "novel/FileAccess.h"
#include "novel/NovelDocument.h"
#include "novel/NovelNames.h"

namespace miravo::runtime {
namespace {

// The player takes an old novel as it is; a refused one is an error.
class RefusalsOnly : public ILoadNotices {
public:
    void Notice(const LoadNotice& notice) override {
        if (notice.kind == NoticeKind::Refusal)
            throw EditorError(notice.text);
    }
};

// Collection's existence question answered from all the places the player looks.
class PlayerDataFiles : public INovelFolderFiles {
public:
    PlayerDataFiles(const LoadedNovel& novel, IBuildFileSystem& files)
        : novel_(novel), files_(files) {}
    bool Exists(std::string_view name) override {
        const DataLocation location = LocateDataFile(novel_, name, files_);
        return location != DataLocation::Missing && location != DataLocation::Refused;
    }
    std::optional<std::int64_t> SizeOf(std::string_view) override { return std::nullopt; }

private:
    const LoadedNovel& novel_;
    IBuildFileSystem& files_;
};

} // namespace

void LoadNovel(const RuntimeArguments& arguments, const std::filesystem::path& programPath,
               IBuildFileSystem& files, LoadedNovel& novel) {
    novel.programPath = programPath;
    if (!arguments.novelFolder.empty())
        novel.novelFolder = PathFromUtf8(arguments.novelFolder);
    novel.model.Reset();
    RefusalsOnly notices;
    if (!arguments.novelFile.empty()) {
        novel.novelFile = PathFromUtf8(arguments.novelFile);
        LoadNovelFile(novel.model, novel.novelFile, notices);
        return;
    }
    const std::unique_ptr<IInputFile> program = files.OpenRead(programPath);
    novel.package = FindAppendedPackage(*program);
    if (!novel.package)
        throw EditorError("このプログラムにはノベルがありません.");
    ParseNovel(novel.model, ReadPackagedNovel(*program, *novel.package), notices);
}

std::string_view DataLocationName(DataLocation location) {
    switch (location) {
    case DataLocation::Package: return "package";
    case DataLocation::ProgramFolder: return "program folder";
    case DataLocation::NovelFolder: return "novel folder";
    case DataLocation::Missing: return "missing";
    case DataLocation::Refused: return "refused";
    }
    return "";
}

DataLocation LocateDataFile(const LoadedNovel& novel, std::string_view name,
                            IBuildFileSystem& files) {
    if (!IsSafeName(name))
        return DataLocation::Refused;
    if (novel.package && novel.package->Find(name) != nullptr)
        return DataLocation::Package;
    if (files.FileExists(ResolveNovelName(novel.programPath.parent_path(), name)))
        return DataLocation::ProgramFolder;
    if (!novel.novelFolder.empty() && files.FileExists(ResolveNovelName(novel.novelFolder, name)))
        return DataLocation::NovelFolder;
    return DataLocation::Missing;
}

std::optional<std::string> ReadDataFile(const LoadedNovel& novel, std::string_view name,
                                        IBuildFileSystem& files, std::int64_t maxBytes) {
    try {
        switch (LocateDataFile(novel, name, files)) {
        case DataLocation::Package: {
            const PackageEntry* entry = novel.package->Find(name);
            if (entry->size > maxBytes)
                return std::nullopt;
            const std::unique_ptr<IInputFile> program = files.OpenRead(novel.programPath);
            return ReadPackageEntry(*program, *novel.package, *entry);
        }
        case DataLocation::ProgramFolder:
        case DataLocation::NovelFolder: {
            const bool beside = LocateDataFile(novel, name, files) == DataLocation::ProgramFolder;
            const auto path = ResolveNovelName(
                beside ? novel.programPath.parent_path() : novel.novelFolder, name);
            const std::unique_ptr<IInputFile> file = files.OpenRead(path);
            if (file->Size() > maxBytes)
                return std::nullopt;
            std::string bytes(std::size_t(file->Size()), '\0');
            std::size_t got = 0;
            while (got < bytes.size()) {
                const std::size_t n = file->Read(bytes.data() + got, bytes.size() - got);
                if (n == 0)
                    break;
                got += n;
            }
            bytes.resize(got);
            return bytes;
        }
        case DataLocation::Missing:
        case DataLocation::Refused: return std::nullopt;
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

std::optional<FileWindow> FindDataFile(const LoadedNovel& novel, std::string_view name,
                                       IBuildFileSystem& files) {
    switch (LocateDataFile(novel, name, files)) {
    case DataLocation::Package: {
        const PackageEntry* entry = novel.package->Find(name);
        return FileWindow{novel.programPath, novel.package->PositionOf(*entry), entry->size};
    }
    case DataLocation::ProgramFolder:
        return FileWindow{ResolveNovelName(novel.programPath.parent_path(), name)};
    case DataLocation::NovelFolder: return FileWindow{ResolveNovelName(novel.novelFolder, name)};
    case DataLocation::Missing:
    case DataLocation::Refused: break;
    }
    return std::nullopt;
}

std::optional<FileWindow> FindSoundFile(const LoadedNovel& novel, std::string_view name,
                                        IBuildFileSystem& files) {
    if (auto found = FindDataFile(novel, name, files))
        return found;
    const std::size_t dot = name.rfind('.');
    const std::size_t slash = name.find_last_of("\\/");
    const std::string_view stem =
        dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)
            ? name
            : name.substr(0, dot);
    for (const char* extension : {".ogg", ".wav"}) {
        if (auto found = FindDataFile(novel, std::string(stem) + extension, files))
            return found;
    }
    return std::nullopt;
}

std::filesystem::path SaveFilePath(const LoadedNovel& novel, const RuntimeArguments& arguments) {
    if (!arguments.saveName.empty())
        return PathFromUtf8(arguments.saveName);
    return std::filesystem::path(novel.programPath).replace_extension(".mvb");
}

std::vector<DataFile> LocateDataFiles(LoadedNovel& novel, IBuildFileSystem& files) {
    PlayerDataFiles places(novel, files);
    std::vector<std::string> names;
    CollectReferencedFiles(novel.model, places, names);
    std::vector<DataFile> located;
    for (std::string& name : names) {
        const DataLocation location = LocateDataFile(novel, name, files);
        located.push_back(DataFile{std::move(name), location});
    }
    return located;
}

} // namespace miravo::runtime
