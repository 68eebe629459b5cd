#include "novel/PlaytestCommandLine.h"

#include "novel/NovelNames.h"
#include "novel/ShiftJis.h"

namespace miravo {
namespace {
std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\" "; }
} // namespace

std::string PlaytestCommandLine(std::string_view programFolder, std::string_view novelFolder,
                                std::string_view currentFilePath, const PlaytestOptions& options) {
    return PlaytestCommandLine(programFolder, programFolder, novelFolder, currentFilePath, options);
}

std::string PlaytestCommandLine(std::string_view programFolder, std::string_view scratchFolder,
                                std::string_view novelFolder, std::string_view currentFilePath,
                                const PlaytestOptions& options) {
    std::string optionsText;
    if (options.hiColor)
        optionsText += "/16 ";
    if (options.debug)
        optionsText += "/debug ";
    return Quoted(std::string(programFolder) + std::string(kRuntimeProgramName)) + optionsText +
           Quoted("*" + std::string(novelFolder)) +
           Quoted(std::string(scratchFolder) + std::string(kPlaytestFileName)) +
           Quoted("=" + LocaleLower(WithExtension(currentFilePath, ".mvb")));
}

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    // Byte by byte: neither a Shift-JIS trail byte nor a UTF-8 byte of a longer character can
    // be a quote or a blank.
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

RuntimeArguments ParseRuntimeArguments(std::string_view commandLine) {
    RuntimeArguments arguments;
    const std::vector<std::string> words = SplitCommandLine(commandLine);
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        const std::string lower = sjis::AsciiLower(word);
        if (lower == "/16")
            arguments.options.hiColor = true;
        else if (lower == "/debug")
            arguments.options.debug = true;
        else if (lower.rfind("/report:", 0) == 0)
            arguments.reportFile = word.substr(8);
        else if (lower.rfind("/trace:", 0) == 0)
            arguments.traceFile = word.substr(7);
        else if (lower.rfind("/auto:", 0) == 0 || lower == "/auto") {
            arguments.autoPlay = true;
            arguments.autoChoices = word.size() > 6 ? word.substr(6) : "";
        } else if (lower.rfind("/shot:", 0) == 0 && word.find(':', 6) != std::string::npos) {
            const std::size_t colon = word.find(':', 6);
            const std::string page = word.substr(6, colon - 6);
            if (!page.empty() && page.size() < 7 &&
                page.find_first_not_of("0123456789") == std::string::npos)
                arguments.shots.push_back({std::stoi(page), word.substr(colon + 1)});
            else
                arguments.unknown.push_back(word);
        }
        else if (!word.empty() && word[0] == '/')
            arguments.unknown.push_back(word);
        else if (!word.empty() && word[0] == '*')
            arguments.novelFolder = word.substr(1);
        else if (!word.empty() && word[0] == '=')
            arguments.saveName = word.substr(1);
        else
            arguments.novelFile = word;
    }
    return arguments;
}

} // namespace miravo
