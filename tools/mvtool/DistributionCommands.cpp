#include "tools/mvtool/DistributionCommands.h"

#include "novel/EditorError.h"
#include "novel/ExeBuild.h"
#include "novel/FileAccess.h"
#include "novel/FileCollection.h"
#include "novel/NovelCheck.h"
#include "novel/NovelDocument.h"
#include "novel/NovelNames.h"
#include "novel/NovelScramble.h"
#include "novel/PackageReader.h"
#include "novel/PlaytestCommandLine.h"
#include "novel/ShiftJis.h"
#include "tools/mvtool/CheckReport.h"
#include "tools/mvtool/ProgramLocation.h"

#include <charconv>
#include <ostream>
#include <random>

namespace miravo {

const char* const kDistributionUsage =
    "  mvtool collect NOVEL [--check]     ノベルが使うデータファイルを一覧 (--check: "
    "開けるか調べる)\n"
    "  mvtool build NOVEL OUT.exe [--separate] [--runtime FILE] [--sound FILE] [--seed N]\n"
    "                                     実行形式を作成 (--separate: データファイルを別にコピー)\n"
    "  mvtool unpack PROGRAM.exe [DIR]    実行形式のパッケージを一覧 (DIR: そこに取り出す)\n"
    "  mvtool check NOVEL [--json]        リンク・スクリプト・ファイルの問題を調べる\n"
    "                                     (エラーがあれば終了コード 1)\n";

namespace {

class UsageError : public EditorError {
public:
    UsageError() : EditorError("引数が正しくありません.") {}
};

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return text;
}

class ConsoleNotices : public ILoadNotices {
public:
    explicit ConsoleNotices(std::ostream& err) : err_(err) {}
    void Notice(const LoadNotice& notice) override {
        if (notice.kind == NoticeKind::Refusal)
            throw EditorError(notice.text);
        err_ << "mvtool: 注意: " << OneLine(notice.text) << "\n";
    }

private:
    std::ostream& err_;
};

// The novel and its folder, opened as the editor opens it.
struct OpenedNovel {
    CNovelModel model;
    std::filesystem::path folder;
};

void Open(const std::string& utf8Path, OpenedNovel& novel, std::ostream& err) {
    const std::filesystem::path path = std::filesystem::absolute(PathFromUtf8(utf8Path));
    novel.folder = path.parent_path();
    novel.model.Reset();
    if (sjis::AsciiLower(PathToUtf8(path.extension())) == ".mvw") {
        LoadAlphaFile(novel.model, path);
        return;
    }
    ConsoleNotices notices(err);
    LoadNovelFile(novel.model, path, notices);
}

int Collect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const bool check = args.size() == 3 && args[2] == "--check";
    if (args.size() != 2 && !check)
        throw UsageError();
    OpenedNovel novel;
    Open(args[1], novel, err);
    auto disk = MakeDiskFileSystem();
    NovelFolderFiles folder(*disk, novel.folder);
    std::vector<std::string> list;
    CollectReferencedFiles(novel.model, folder, list);
    for (const std::string& name : list)
        out << sjis::ToUtf8(name) << "\n";
    if (!check)
        return 0;
    std::vector<UnusableFile> unusable;
    const std::int64_t total = CheckFileSizes(list, folder, unusable);
    for (const UnusableFile& file : unusable)
        err << "mvtool: 開けないファイル: " << UnusableFileLine(file) << "\n";
    if (total < 0)
        return 1;
    err << "mvtool: " << TotalSizeLabel(total) << " (" << WithThousandsSeparators(total)
        << " バイト)\n";
    return 0;
}

// The build's steps as console lines: the log on standard output, errors on the error output.
class ConsoleBuildView : public IExeBuildView {
public:
    ConsoleBuildView(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    void SetProgress(int, int) override {}
    void SetDescription(const std::string&) override {}
    void Log(const std::string& line) override { out_ << line << "\n"; }
    void ProcessMessages() override { out_.flush(); }
    void ShowError(const std::string& message) override {
        err_ << "mvtool: " << OneLine(message) << "\n";
    }

private:
    std::ostream& out_;
    std::ostream& err_;
};

std::uint32_t ParseSeed(const std::string& text) {
    std::uint32_t seed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (error != std::errc() || end != text.data() + text.size() || seed >= kScrambleSeedLimit)
        throw EditorError("シードは 0 から 2147483645 までの数です: " + text);
    return seed;
}

// A scratch file of this run only, removed at the end.
class ScratchFile {
public:
    ScratchFile() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("mvtool-" + std::to_string(random()) + std::to_string(random()) + ".tmp");
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

int Build(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 3)
        throw UsageError();
    const std::filesystem::path programFolder = RunningProgramFolder();
    ExeBuildPaths paths;
    paths.runtime = programFolder / kRuntimeProgramName;
    paths.soundEngine = programFolder / kSoundEngineName;
    paths.output = std::filesystem::absolute(PathFromUtf8(args[2]));
    BuildMode mode = BuildMode::SingleFile;
    std::uint32_t seed = DrawScrambleSeed();
    for (std::size_t i = 3; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--separate")
            mode = BuildMode::SeparateData;
        else if (args[i] == "--runtime" && hasValue)
            paths.runtime = PathFromUtf8(args[++i]);
        else if (args[i] == "--sound" && hasValue)
            paths.soundEngine = PathFromUtf8(args[++i]);
        else if (args[i] == "--seed" && hasValue)
            seed = ParseSeed(args[++i]);
        else
            throw UsageError();
    }
    OpenedNovel novel;
    Open(args[1], novel, err);
    paths.novelFolder = novel.folder;
    ScratchFile scratch;
    paths.scratch = scratch.Path();

    auto disk = MakeDiskFileSystem();
    NovelFolderFiles folder(*disk, novel.folder);
    std::vector<std::string> list;
    CollectReferencedFiles(novel.model, folder, list);
    ConsoleBuildView view(out, err);
    const ExeBuildResult result = BuildExe(mode, novel.model, list, paths, seed, *disk, view);
    for (const std::string& line : result.summary)
        out << line << "\n";
    return result.success ? 0 : 1;
}

int Unpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 && args.size() != 3)
        throw UsageError();
    auto disk = MakeDiskFileSystem();
    const std::unique_ptr<IInputFile> program = disk->OpenRead(PathFromUtf8(args[1]));
    const std::optional<PackageDirectory> directory = FindAppendedPackage(*program);
    if (!directory)
        throw EditorError("ファイル \"" + args[1] + "\" にはデータパッケージがありません.");
    for (const PackageEntry& entry : directory->entries)
        out << sjis::ToUtf8(entry.name) << "\t" << directory->PositionOf(entry) << "\t"
            << entry.size << "\n";
    if (args.size() == 2)
        return 0;
    const std::filesystem::path target = PathFromUtf8(args[2]);
    int refused = 0;
    for (const PackageEntry& entry : directory->entries) {
        // Names come from the program file: none may write outside the folder.
        if (!IsSafeName(entry.name) || entry.name.empty()) {
            err << "mvtool: 取り出さない名前: " << sjis::ToUtf8(entry.name) << "\n";
            ++refused;
            continue;
        }
        const std::filesystem::path path = ResolveNovelName(target, entry.name);
        disk->CreateFolders(path.parent_path());
        if (LocaleLower(entry.name) == kPackagedNovelName) {
            disk->WriteWholeFile(path, ReadPackagedNovel(*program, *directory));
            continue;
        }
        // In blocks, through a file written whole only once complete.
        AtomicFileWriter writer(path);
        class WriterOutput : public IOutputFile {
        public:
            explicit WriterOutput(AtomicFileWriter& writer) : writer_(writer) {}
            void Write(const char* data, std::size_t size) override {
                writer_.Write(std::string_view(data, size));
                position_ += std::int64_t(size);
            }
            std::int64_t Position() override { return position_; }

        private:
            AtomicFileWriter& writer_;
            std::int64_t position_ = 0;
        } output(writer);
        CopyPackageEntry(*program, *directory, entry, output);
        writer.Commit();
    }
    return refused == 0 ? 0 : 1;
}

// Exit 1 only for errors: warnings alone leave a novel fit to build.
int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const bool json = args.size() == 3 && args[2] == "--json";
    if (args.size() != 2 && !json)
        throw UsageError();
    OpenedNovel novel;
    Open(args[1], novel, err);
    DiskCheckedFolder folder(novel.folder);
    const std::vector<CheckFinding> findings = CheckNovel(novel.model, &folder);
    if (json)
        WriteCheckJson(findings, out);
    else
        WriteCheckLines(findings, out);
    return HasErrors(findings) ? 1 : 0;
}

} // namespace

bool IsDistributionCommand(const std::string& command) {
    return command == "collect" || command == "build" || command == "unpack" ||
           command == "check";
}

int RunDistributionCommand(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err) {
    try {
        if (args[0] == "collect")
            return Collect(args, out, err);
        if (args[0] == "build")
            return Build(args, out, err);
        if (args[0] == "check")
            return Check(args, out, err);
        return Unpack(args, out, err);
    } catch (const UsageError& error) {
        err << "mvtool: " << error.what() << "\n" << kDistributionUsage;
    } catch (const std::exception& error) {
        err << "mvtool: " << OneLine(error.what()) << "\n";
    }
    return 1;
}

} // namespace miravo
