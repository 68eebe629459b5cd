#include "tools/mvtool/MvTool.h"

#include "novel/EditorError.h"
#include "novel/FileAccess.h"
#include "novel/NovelDocument.h"
#include "novel/NovelExport.h"
#include "novel/ShiftJis.h"
#include "tools/mvtool/DistributionCommands.h"
#include "tools/mvtool/NovelJson.h"

#include <ostream>

namespace miravo {
namespace {

constexpr const char* kUsage =
    "使い方:\n"
    "  mvtool info NOVEL                  形式バージョン、タイトル、アイテム・カウンタ・"
    "テキストウインドウの数\n"
    "  mvtool resave IN OUT               IN を開いて OUT にバージョン 9 で保存\n"
    "  mvtool to-json NOVEL [OUT.json]    JSON 形式に変換 (OUT がなければ標準出力)\n"
    "  mvtool from-json IN.json OUT.mve   JSON 形式からノベルファイルを作成\n"
    "  mvtool export-script NOVEL OUT.txt テキストファイルに書き出し\n"
    "  mvtool export-text NOVEL OUT.txt   テキストファイルに文章のみを書き出し\n"
    "NOVEL の拡張子が .mvw (大文字小文字を問わず) ならα１ノベルファイルとして開きます.\n";

// Messages are shown on one line: the dialog texts' line breaks become blanks.
std::string OneLine(std::string text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        line += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return line;
}

class UsageError : public EditorError {
public:
    UsageError() : EditorError("引数が正しくありません.") {}
};

// Loading notices turned into console lines: information is printed as a note; a refusal
// becomes the error of the command.
class ConsoleInteraction : public ILoadNotices {
public:
    explicit ConsoleInteraction(std::ostream& err) : err_(err) {}
    void Notice(const LoadNotice& notice) override {
        if (notice.kind == NoticeKind::Refusal)
            refusal_ = notice.text;
        else
            err_ << "mvtool: 注意: " << OneLine(notice.text) << "\n";
    }
    const std::string& Refusal() const { return refusal_; }

private:
    std::ostream& err_;
    std::string refusal_;
};

bool IsAlphaFile(const std::filesystem::path& path) {
    return sjis::AsciiLower(PathToUtf8(path.extension())) == ".mvw";
}

// Opens a novel as the editor opens a file of its extension. `asStored`: without the editor's
// trailing empty line, so that the JSON form shows the file as it is.
void OpenNovel(const std::string& utf8Path, CNovelModel& model, std::ostream& err,
               bool asStored = false) {
    const std::filesystem::path path = PathFromUtf8(utf8Path);
    model.Reset();
    if (IsAlphaFile(path)) {
        LoadAlphaFile(model, path);
        return;
    }
    ConsoleInteraction console(err);
    const NovelLoadResult result =
        asStored ? ParseNovel(model, ReadWholeFile(path, true), console, NovelReadOptions{false})
                 : LoadNovelFile(model, path, console);
    if (result == NovelLoadResult::Rejected)
        throw EditorError(console.Refusal());
}

void Info(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2)
        throw UsageError();
    CNovelModel model;
    OpenNovel(args[1], model, err);
    out << "Version: " << model.Header.Version << "\n"
        << "Title: " << sjis::ToUtf8(model.Header.Title) << "\n"
        << "Items: " << model.Items.Count() << "\n"
        << "Counters: " << model.Counters.Count() << "\n"
        << "TextWindows: " << model.TextWindows.Count() << "\n";
}

void Resave(const std::vector<std::string>& args, std::ostream& err) {
    if (args.size() != 3)
        throw UsageError();
    CNovelModel model;
    OpenNovel(args[1], model, err);
    SaveNovelFile(model, PathFromUtf8(args[2]));
}

void ToJson(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 && args.size() != 3)
        throw UsageError();
    CNovelModel model;
    OpenNovel(args[1], model, err, true);
    const std::string json = NovelToJson(model);
    if (args.size() == 3)
        WriteFileAtomically(PathFromUtf8(args[2]), json);
    else
        out << json;
}

void FromJson(const std::vector<std::string>& args) {
    if (args.size() != 3)
        throw UsageError();
    CNovelModel model;
    NovelFromJson(ReadWholeFile(PathFromUtf8(args[1])), model);
    SaveNovelFile(model, PathFromUtf8(args[2]));
}

void Export(const std::vector<std::string>& args, std::ostream& err, bool script) {
    if (args.size() != 3)
        throw UsageError();
    CNovelModel model;
    OpenNovel(args[1], model, err);
    WriteTextLinesFile(PathFromUtf8(args[2]),
                       script ? ScriptExportLines(model.Items) : PlainTextExportLines(model.Items));
}

} // namespace

int RunMvTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string command = args.empty() ? "" : args[0];
    if (command == "help" || command == "--help" || command == "-h") {
        out << kUsage << kDistributionUsage;
        return 0;
    }
    if (IsDistributionCommand(command))
        return RunDistributionCommand(args, out, err);
    try {
        if (command == "info")
            Info(args, out, err);
        else if (command == "resave")
            Resave(args, err);
        else if (command == "to-json")
            ToJson(args, out, err);
        else if (command == "from-json")
            FromJson(args);
        else if (command == "export-script")
            Export(args, err, true);
        else if (command == "export-text")
            Export(args, err, false);
        else
            throw UsageError();
        return 0;
    } catch (const UsageError& error) {
        err << "mvtool: " << error.what() << "\n" << kUsage;
    } catch (const EditorError& error) {
        err << "mvtool: " << OneLine(error.what()) << "\n";
    } catch (const std::exception& error) {
        err << "mvtool: 予期しないエラーです: " << OneLine(error.what()) << "\n";
    }
    return 1;
}

} // namespace miravo
