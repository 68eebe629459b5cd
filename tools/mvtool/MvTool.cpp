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
    "  mvtool info NOVEL                  形式バージョン (α１ノベルファイルは "
    "alpha-1)、タイトル、アイテム・カウンタ・"
    "テキストウインドウの数\n"
    "  mvtool resave [--salvage] IN OUT   IN を開いて OUT にバージョン 9 で保存\n"
    "                                     (--salvage: 壊れたファイルの読めた部分を保存)\n"
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

// Model text for the console: a byte that is no Shift-JIS character shows as U+FFFD, so that the
// output stays valid UTF-8.
std::string ConsoleText(std::string_view shiftJis) {
    std::u16string text = sjis::ToUtf16(shiftJis);
    for (char16_t& unit : text) {
        if (unit >= 0xDC80 && unit <= 0xDCFF)
            unit = u'\uFFFD';
    }
    return sjis::Utf16ToUtf8(text);
}

class UsageError : public EditorError {
public:
    UsageError() : EditorError("引数が正しくありません.") {}
};

// Loading notices turned into console lines: information is printed as a note; a refusal or a
// read error becomes the error of the command.
class ConsoleInteraction : public ILoadNotices {
public:
    explicit ConsoleInteraction(std::ostream& err) : err_(err) {}
    void Notice(const LoadNotice& notice) override {
        if (notice.kind == NoticeKind::Information)
            err_ << "mvtool: 注意: " << OneLine(notice.text) << "\n";
        else
            error_ = notice.text;
    }
    const std::string& Error() const { return error_; }

private:
    std::ostream& err_;
    std::string error_;
};

bool IsAlphaFile(const std::filesystem::path& path) {
    return sjis::AsciiLower(PathToUtf8(path.extension())) == ".mvw";
}

struct OpenOptions {
    // Without the editor's trailing empty line, so that the JSON form shows the file as it is.
    bool asStored = false;
    // A damaged file gives what was read before the damage, with a note, instead of an error.
    bool salvage = false;
};

// Opens a novel as the editor opens a file of its extension.
void OpenNovel(const std::string& utf8Path, CNovelModel& model, std::ostream& err,
               const OpenOptions& options = {}) {
    const std::filesystem::path path = PathFromUtf8(utf8Path);
    model.Reset();
    if (IsAlphaFile(path)) {
        LoadAlphaFile(model, path);
        return;
    }
    ConsoleInteraction console(err);
    const NovelLoadResult result = options.asStored ? ParseNovel(model, ReadWholeFile(path, true),
                                                                 console, NovelReadOptions{false})
                                                    : LoadNovelFile(model, path, console);
    if (result == NovelLoadResult::Rejected ||
        (result == NovelLoadResult::PartlyRead && !options.salvage))
        throw EditorError(console.Error());
    if (result == NovelLoadResult::PartlyRead)
        err << "mvtool: 注意: " << OneLine(console.Error()) << " 読み込めた部分だけを使います.\n";
}

void Info(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2)
        throw UsageError();
    CNovelModel model;
    OpenNovel(args[1], model, err);
    // An alpha-1 file has no version of its own; the header's is the default of a new novel.
    const bool alpha = IsAlphaFile(PathFromUtf8(args[1]));
    out << "Version: " << (alpha ? "alpha-1" : std::to_string(model.Header.Version)) << "\n"
        << "Title: " << ConsoleText(model.Header.Title) << "\n"
        << "Items: " << model.Items.Count() << "\n"
        << "Counters: " << model.Counters.Count() << "\n"
        << "TextWindows: " << model.TextWindows.Count() << "\n";
}

void Resave(std::vector<std::string> args, std::ostream& err) {
    const bool salvage = args.size() == 4 && args[1] == "--salvage";
    if (salvage)
        args.erase(args.begin() + 1);
    if (args.size() != 3)
        throw UsageError();
    CNovelModel model;
    OpenNovel(args[1], model, err, OpenOptions{.salvage = salvage});
    SaveNovelFile(model, PathFromUtf8(args[2]));
}

void ToJson(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 && args.size() != 3)
        throw UsageError();
    CNovelModel model;
    OpenNovel(args[1], model, err, OpenOptions{.asStored = true});
    // Written in pieces as it is made: the text can be many times the size of the novel.
    if (args.size() == 3) {
        AtomicFileWriter file(PathFromUtf8(args[2]));
        WriteNovelJson(model, [&](std::string_view piece) { file.Write(piece); });
        file.Commit();
    } else {
        WriteNovelJson(model, [&](std::string_view piece) {
            out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        });
    }
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
