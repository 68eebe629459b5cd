#include "novel/ExeBuild.h"

#include "novel/EditorError.h"
#include "novel/FileAccess.h"
#include "novel/NovelDocument.h"
#include "novel/NovelNames.h"
#include "novel/NovelScramble.h"
#include "novel/PackageFile.h"
#include "novel/PackageReader.h"
#include "novel/ShiftJis.h"

#include <cstdio>
#include <memory>

namespace miravo {

const char* const kBuildFailedLine = "作成中にエラーがありました.";

namespace {

constexpr const char* kSingleFileModeLine = "EXEファイル結合 モード";
constexpr const char* kSeparateModeLine = "EXEファイル+データファイル モード";

std::string Utf8(const std::string& shiftJis) { return sjis::ToUtf8(shiftJis); }

class Build {
public:
    Build(BuildMode mode, CNovelModel& model, const std::vector<std::string>& collected,
          const ExeBuildPaths& paths, std::uint32_t seed, IBuildFileSystem& files,
          IExeBuildView& view)
        : mode_(mode), model_(model), collected_(collected), paths_(paths), seed_(seed),
          files_(files), view_(view) {
        result_.output = paths.output;
    }

    ExeBuildResult Run() {
        try {
            CommonStart();
            if (mode_ == BuildMode::SeparateData)
                SeparateData();
            else
                SingleFile();
        } catch (const EditorError& error) {
            Stopped(error.what());
        } catch (const std::exception& error) {
            Stopped(error.what());
        }
        // The writer and the program file are released once, whatever happened.
        writer_.reset();
        output_.reset();
        return std::move(result_);
    }

private:
    int Count() const { return static_cast<int>(collected_.size()); }
    const char* ModeLine() const {
        return mode_ == BuildMode::SeparateData ? kSeparateModeLine : kSingleFileModeLine;
    }

    void Stopped(const std::string& message) {
        writer_.reset();
        output_.reset();
        view_.ShowError(message);
        result_.success = false;
        result_.summary = {"", ModeLine(), "", kBuildFailedLine};
    }

    void CommonStart() {
        view_.SetProgress(0, Count() + 2);
        view_.SetDescription("");
        const std::filesystem::path folder = result_.output.parent_path();
        files_.CreateFolders(folder);
        view_.Log("フォルダ作成: " + PathToUtf8(folder));
        result_.output.replace_extension(".exe");
        if (!files_.CopyFile(paths_.runtime, result_.output))
            throw EditorError("ファイル \"" + PathToUtf8(paths_.runtime) + "\" を \"" +
                              PathToUtf8(result_.output) + "\" にコピーできません.");
        view_.Log("ランタイムEXEをコピーしました");
        output_ = files_.OpenForAppending(result_.output);
    }

    // The novel as saved, scrambled, in the scratch file; then packed as "autorun.mve".
    void AddScrambledNovel() {
        files_.WriteWholeFile(paths_.scratch, ScrambleNovel(SerializeNovel(model_), seed_));
        writer_->Add(paths_.scratch, kPackagedNovelName);
    }

    // A name that leaves the novel folder is never opened: the log says why it is missing.
    bool Refused(const std::string& name) {
        const NameSafety safety = CheckNameSafety(name);
        if (safety == NameSafety::Safe)
            return false;
        view_.Log("      (" + NameSafetyReason(safety) + ")");
        return true;
    }

    void SeparateData() {
        writer_ = std::make_unique<TWritePackageFile>(files_);
        AddScrambledNovel();
        writer_->Write(*output_);
        writer_.reset();
        output_.reset();
        view_.Log("ノベルファイルをEXEに結合しました");

        const std::filesystem::path folder = result_.output.parent_path();
        bool success = files_.CopyFile(paths_.soundEngine, folder / kSoundEngineName);
        view_.Log(success ? "MVSound.mvx をコピーしました."
                          : "MVSound.mvx のコピーに失敗しました.");
        view_.Log("ファイルコピー中...");
        view_.SetDescription("ファイルコピー中...");
        view_.SetProgress(2, Count() + 2);
        for (int i = 0; i < Count(); ++i) {
            view_.SetProgress(i + 3, Count() + 2);
            view_.ProcessMessages();
            const std::string& name = collected_[std::size_t(i)];
            if (CopyDataFile(name, folder)) {
                view_.Log("   " + Utf8(name));
            } else {
                view_.Log("   コピー失敗: " + Utf8(name));
                Refused(name);
                success = false;
            }
        }
        view_.SetDescription("");
        if (!success) {
            for (const char* line :
                 {"", "一部のファイルのコピーに失敗しました.", "", "[次へ]を押してください."})
                view_.Log(line);
        }
        result_.success = success;
        result_.summary = {"", kSeparateModeLine, ""};
        if (!success)
            result_.summary.insert(result_.summary.end(),
                                   {std::string("警告!!  ") + kBuildFailedLine, ""});
        char copied[128];
        std::snprintf(copied, sizeof copied, "%d 個のデータファイルがコピーされました.", Count());
        result_.summary.insert(result_.summary.end(),
                               {"以下の実行ファイルが作成されました :",
                                "   " + PathToUtf8(result_.output), "", copied});
    }

    bool CopyDataFile(const std::string& name, const std::filesystem::path& folder) {
        if (!IsSafeName(name))
            return false;
        const std::filesystem::path target = ResolveNovelName(folder, name);
        try {
            files_.CreateFolders(target.parent_path());
        } catch (const EditorError&) {
            return false;
        }
        return files_.CopyFile(ResolveNovelName(paths_.novelFolder, name), target);
    }

    void SingleFile() {
        writer_ = std::make_unique<TWritePackageFile>(files_);
        view_.Log("ファイルチェック中...");
        AddScrambledNovel();
        const int n = Count();
        for (int i = 0; i < n; ++i) {
            view_.SetProgress(i * 30 / n, 100);
            const std::string& name = collected_[std::size_t(i)];
            if (!AddDataFile(name)) {
                view_.Log("   ファイル " + Utf8(name) + "を開けません");
                Refused(name);
            }
            view_.ProcessMessages();
        }
        writer_->Add(paths_.soundEngine, kSoundEngineName);
        view_.Log("ファイル結合中...");
        view_.SetDescription("ファイル結合中...");
        writer_->SetProgress([this](int percent, const std::string& name) {
            view_.SetProgress(percent * 70 / 100 + 30, 100);
            view_.Log("   " + Utf8(name));
            view_.ProcessMessages();
        });
        bool success = true;
        try {
            writer_->Write(*output_);
        } catch (const EditorError& error) {
            view_.Log("作成エラー: " + PathToUtf8(result_.output));
            view_.Log("   " + std::string(error.what()));
            success = false;
        }
        const std::int64_t size = output_->Position();
        view_.SetDescription("");
        result_.success = success;
        result_.summary = {"", kSingleFileModeLine, ""};
        if (!success) {
            result_.summary.push_back(kBuildFailedLine);
            return;
        }
        char line[160];
        std::snprintf(line, sizeof line, "   ファイルサイズ: %.1fMB (%sbyte)",
                      double(size) / 1048576.0, WithThousandsSeparators(size).c_str());
        result_.summary.insert(result_.summary.end(), {"以下の実行ファイルが作成されました :",
                                                       "   " + PathToUtf8(result_.output), line});
    }

    // A data file that cannot be opened is left out; the build goes on.
    bool AddDataFile(const std::string& name) {
        if (!IsSafeName(name))
            return false;
        try {
            writer_->Add(ResolveNovelName(paths_.novelFolder, name), name);
            return true;
        } catch (const FileOpenError&) {
            return false;
        }
    }

    BuildMode mode_;
    CNovelModel& model_;
    const std::vector<std::string>& collected_;
    const ExeBuildPaths& paths_;
    std::uint32_t seed_;
    IBuildFileSystem& files_;
    IExeBuildView& view_;
    ExeBuildResult result_;
    std::unique_ptr<TWritePackageFile> writer_;
    std::unique_ptr<IOutputFile> output_;
};

} // namespace

ExeBuildResult BuildExe(BuildMode mode, CNovelModel& model,
                        const std::vector<std::string>& collected, const ExeBuildPaths& paths,
                        std::uint32_t seed, IBuildFileSystem& files, IExeBuildView& view) {
    return Build(mode, model, collected, paths, seed, files, view).Run();
}

std::filesystem::path DefaultOutputPath(const std::filesystem::path& novelFolder,
                                        const std::filesystem::path& currentFilePath) {
    std::filesystem::path name = currentFilePath.filename();
    name.replace_extension(".exe");
    return novelFolder / "Exe" / name;
}

std::string TotalSizeLabel(std::int64_t total) {
    return "合計ファイルサイズは " + std::to_string(total / 1024) + "KB";
}

std::string WithThousandsSeparators(std::int64_t value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(std::size_t(at), ",");
    return value < 0 ? "-" + digits : digits;
}

} // namespace miravo
