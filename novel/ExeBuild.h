#pragma once

#include "novel/BuildFileSystem.h"
#include "novel/NovelData.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Building a program to hand out: a copy of the runtime with the novel appended in a data
// package, in one of two modes. The steps, their log lines, progress and summary are those the
// build wizard shows; mvtool runs the same steps on the console.
namespace miravo {

enum class BuildMode {
    SingleFile,   // novel, every data file and the sound engine packed into the program
    SeparateData, // only the novel packed; the sound engine and data files copied beside it
};

struct ExeBuildPaths {
    std::filesystem::path runtime;     // the editor's: program folder + "MiravoRun.exe"
    std::filesystem::path soundEngine; // program folder + "MVSound.mvx"
    std::filesystem::path scratch;     // program folder + "$testplay.tmp"
    std::filesystem::path novelFolder;
    std::filesystem::path output; // as typed: the build gives it the extension ".exe"
};

// The make page while the build runs. Texts are UTF-8.
class IExeBuildView {
public:
    virtual ~IExeBuildView() = default;
    virtual void SetProgress(int position, int maximum) = 0;
    virtual void SetDescription(const std::string& text) = 0;
    virtual void Log(const std::string& line) = 0;
    virtual void ProcessMessages() = 0;
    // An error that stopped the build outright, in the standard error box.
    virtual void ShowError(const std::string& message) = 0;
};

struct ExeBuildResult {
    bool success = false;
    std::filesystem::path output; // with ".exe", for the wizard's edit
    std::vector<std::string> summary;
};

// `collected`: the names of CollectReferencedFiles, in its order. `seed` scrambles the novel
// (the editor draws it from its generator, mvtool from DrawScrambleSeed unless given). Every
// failure ends in a summary that says
// "作成中にエラーがありました."; what was already written in the output folder stays.
ExeBuildResult BuildExe(BuildMode mode, CNovelModel& model,
                        const std::vector<std::string>& collected, const ExeBuildPaths& paths,
                        std::uint32_t seed, IBuildFileSystem& files, IExeBuildView& view);

// Novel folder, "Exe", and the novel's file name with ".exe": C:\Novels\Story.mve gives
// C:\Novels\Exe\Story.exe.
std::filesystem::path DefaultOutputPath(const std::filesystem::path& novelFolder,
                                        const std::filesystem::path& currentFilePath);

// "合計ファイルサイズは <total div 1024>KB", the survey's size label.
std::string TotalSizeLabel(std::int64_t total);

// 1234567 as "1,234,567".
std::string WithThousandsSeparators(std::int64_t value);

extern const char* const kBuildFailedLine; // "作成中にエラーがありました."

} // namespace miravo
