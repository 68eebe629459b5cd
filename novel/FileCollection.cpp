#include "novel/FileCollection.h"

#include "novel/CommandParser.h"
#include "novel/EditorError.h"
#include "novel/ShiftJis.h"

#include <unordered_set>

namespace miravo {

bool NovelFolderFiles::Exists(std::string_view name) {
    return IsSafeName(name) && files_.FileExists(ResolveNovelName(folder_, name));
}

std::optional<std::int64_t> NovelFolderFiles::SizeOf(std::string_view name) {
    if (!IsSafeName(name))
        return std::nullopt;
    try {
        return files_.OpenRead(ResolveNovelName(folder_, name))->Size();
    } catch (const EditorError&) {
        return std::nullopt;
    }
}

namespace {

class Collector {
public:
    Collector(INovelFolderFiles& folder, std::vector<std::string>& list, bool& usesMp3)
        : folder_(folder), list_(list), usesMp3_(usesMp3) {
        list_.clear();
    }

    void Add(std::string_view name) {
        if (name.empty())
            return;
        std::string lowered = LocaleLower(name);
        if (seen_.insert(lowered).second)
            list_.push_back(std::move(lowered));
    }

    void CommandLine(std::string_view line) {
        const std::vector<std::string> tokens = SplitCommandWords(line);
        if (tokens.empty())
            return;
        const std::string command = sjis::AsciiUpper(tokens[0]);
        const std::size_t count = tokens.size();
        if ((command == ".GRAPHLOAD" || command == ".MIDIPLAY") && count >= 2)
            Add(tokens[1]);
        else if (command == ".CHARSET" && count >= 5)
            Add(tokens[2]);
        else if ((command == ".SOUNDPLAY" || command == ".BGMPLAY") && count >= 2)
            Sound(tokens[1]);
    }

private:
    // The file as named, else the first of its .OGG, .WAV and .MP3 forms that exists, else the
    // name as written (the size check reports it).
    void Sound(const std::string& name) {
        if (sjis::AsciiUpper(ExtensionOf(name)) == ".MP3")
            usesMp3_ = true;
        if (IsSafeName(name)) {
            if (folder_.Exists(name))
                return Add(name);
            for (const char* extension : {".OGG", ".WAV", ".MP3"}) {
                const std::string variant = WithExtension(name, extension);
                if (folder_.Exists(variant)) {
                    if (std::string_view(extension) == ".MP3")
                        usesMp3_ = true;
                    return Add(variant);
                }
            }
        }
        Add(name);
    }

    INovelFolderFiles& folder_;
    std::vector<std::string>& list_;
    bool& usesMp3_;
    std::unordered_set<std::string> seen_;
};

} // namespace

void CollectReferencedFiles(CNovelModel& model, INovelFolderFiles& folder,
                            std::vector<std::string>& list, const ProgressStep& onItem) {
    bool usesMp3 = model.Header.UsesMp3;
    Collector collector(folder, list, usesMp3);
    const CNovelFileHeader& header = model.Header;
    for (const std::string* name : {&header.LogoGraphic, &header.LogoMidi, &header.LogoWave,
                                    &header.TitleGraphic, &header.TitleMidi, &header.TitleWave})
        collector.Add(*name);
    for (int w = 0; w < model.TextWindows.Count(); ++w)
        collector.Add(model.TextWindows[w].GraphicFile);
    const int items = model.Items.Count();
    for (int i = 0; i < items; ++i) {
        if (onItem)
            onItem(i, items - 1);
        for (std::string_view line : model.Items[i].Text) {
            if (IsCommandLine(line))
                collector.CommandLine(line);
        }
    }
    model.Header.UsesMp3 = usesMp3;
}

std::string UnusableFileLine(const UnusableFile& file) {
    std::string line = sjis::ToUtf8(file.name);
    if (file.safety != NameSafety::Safe)
        line += "  (" + NameSafetyReason(file.safety) + ")";
    return line;
}

std::int64_t CheckFileSizes(const std::vector<std::string>& list, INovelFolderFiles& folder,
                            std::vector<UnusableFile>& unusable, const ProgressStep& onFile) {
    std::int64_t total = 0;
    const int count = static_cast<int>(list.size());
    for (int i = 0; i < count; ++i) {
        if (onFile)
            onFile(i, count - 1);
        const std::string& name = list[std::size_t(i)];
        const NameSafety safety = CheckNameSafety(name);
        const std::optional<std::int64_t> size =
            safety == NameSafety::Safe ? folder.SizeOf(name) : std::nullopt;
        if (!size) {
            unusable.push_back(UnusableFile{name, safety});
            total = -1;
        } else if (total >= 0) {
            total += *size;
        }
    }
    return total;
}

} // namespace miravo
