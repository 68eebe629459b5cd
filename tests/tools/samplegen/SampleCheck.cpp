#include "SampleCheck.h"

#include "novel/CommandParser.h"
#include "novel/NovelDocument.h"
#include "novel/ShiftJis.h"
#include "tools/samplegen/SampleGenerator.h"

namespace miravo::test {

namespace {

class SilentUi : public ILoadNotices {
public:
    void Notice(const LoadNotice& notice) override { shown.push_back(notice.text); }
    std::vector<std::string> shown;
};

std::string Utf8(std::string_view shiftJis) { return sjis::ToUtf8(shiftJis); }

} // namespace

std::vector<NovelReference> ReferencedFiles(const CNovelModel& model) {
    std::vector<NovelReference> references;
    const CNovelFileHeader& header = model.Header;
    for (const auto& [name, value] : {std::pair{"LogoGraphic", &header.LogoGraphic},
                                      {"TitleGraphic", &header.TitleGraphic},
                                      {"TitleMidi", &header.TitleMidi},
                                      {"TitleWave", &header.TitleWave},
                                      {"LogoMidi", &header.LogoMidi},
                                      {"LogoWave", &header.LogoWave}}) {
        if (!value->empty())
            references.push_back({std::string("header ") + name, *value});
    }
    for (int i = 0; i < model.TextWindows.Count(); ++i) {
        if (!model.TextWindows[i].GraphicFile.empty())
            references.push_back({"text window " + Utf8(model.TextWindows[i].Name),
                                  model.TextWindows[i].GraphicFile});
    }
    struct FileWord {
        const char* command;
        std::size_t word;
    };
    const FileWord fileWords[] = {
        {".GRAPHLOAD", 1}, {".CHARSET", 2}, {".MIDIPLAY", 1}, {".SOUNDPLAY", 1}, {".BGMPLAY", 1}};
    for (int i = 0; i < model.Items.Count(); ++i) {
        for (std::string_view line : model.Items[i].Text) {
            if (!IsCommandLine(line))
                continue;
            const std::vector<std::string> words = SplitCommandWords(line);
            const std::string command = sjis::AsciiUpper(CommandWord(line));
            for (const FileWord& fw : fileWords) {
                const std::size_t needed = fw.word == 2 ? 5 : 2;
                if (command == fw.command && words.size() >= needed)
                    references.push_back(
                        {"item " + Utf8(model.Items[i].Name) + ": " + Utf8(line), words[fw.word]});
            }
        }
    }
    return references;
}

std::vector<std::string> CheckSampleFolder(const std::filesystem::path& folder,
                                           CNovelModel& model) {
    std::vector<std::string> problems;
    SilentUi ui;
    const std::filesystem::path novel = folder / samplegen::kSampleNovelFileName;
    if (LoadNovelFile(model, novel, ui) != NovelLoadResult::Loaded || !ui.shown.empty()) {
        problems.push_back("the novel did not load as a current novel file");
        return problems;
    }
    if (model.Items.IndexOf(model.Header.StartItem) < 0)
        problems.push_back("the start item is missing");
    for (int i = 0; i < model.Items.Count(); ++i) {
        const CNovelItem& item = model.Items[i];
        for (const CNovelLink& link : item.Links) {
            if (!link.Enabled || (item.LinkType == kLinkEnding && link.Target.empty()))
                continue;
            if (model.Items.IndexOf(link.Target) < 0)
                problems.push_back(Utf8(item.Name) + ": link to missing item " + Utf8(link.Target));
            if (link.UseCounter && model.Counters.IndexOf(link.CounterName) < 0)
                problems.push_back(Utf8(item.Name) + ": condition on missing counter " +
                                   Utf8(link.CounterName));
        }
        for (std::string_view line : item.Text) {
            if (!IsCommandLine(line))
                continue;
            const std::string command = sjis::AsciiUpper(CommandWord(line));
            const std::vector<std::string> words = SplitCommandWords(line);
            if (command.rfind(".COUNTER", 0) == 0 &&
                (words.size() < 2 || model.Counters.IndexOf(words[1]) < 0))
                problems.push_back(Utf8(item.Name) + ": unknown counter in " + Utf8(line));
            if ((command == ".WINDOWSET" || command == ".LINKWINDOWSET") &&
                (words.size() < 2 || model.TextWindows.IndexOf(words[1]) < 0))
                problems.push_back(Utf8(item.Name) + ": unknown text window in " + Utf8(line));
            if (!IsKnownCommand(line))
                problems.push_back(Utf8(item.Name) + ": unknown command " + Utf8(line));
        }
    }
    for (const NovelReference& reference : ReferencedFiles(model)) {
        if (!std::filesystem::is_regular_file(samplegen::AssetPath(folder, reference.relativePath)))
            problems.push_back(reference.where + ": missing file " + Utf8(reference.relativePath));
    }
    return problems;
}

} // namespace miravo::test
