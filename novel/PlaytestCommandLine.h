#pragma once

#include <string>
#include <string_view>
#include <vector>

// The command line of a playtest: the contract between the editor and the runtime. The editor
// builds it; the runtime splits it. Paths are ANSI text (Shift-JIS), as the process start
// passes them.
namespace miravo {

struct PlaytestOptions {
    bool hiColor = false; // "/16 "
    bool debug = false;   // "/debug "
};

inline constexpr std::string_view kRuntimeProgramName = "MiravoRun.exe";
inline constexpr std::string_view kPlaytestFileName = "$testplay.tmp";

// Q program folder "MiravoRun.exe" Q, the options, Q "*" novel folder Q, Q program folder
// "$testplay.tmp" Q, Q "=" current file path with ".mvb" in lower case Q, each quoted argument
// followed by one space. The folders end in a backslash (the novel folder may be empty).
std::string PlaytestCommandLine(std::string_view programFolder, std::string_view novelFolder,
                                std::string_view currentFilePath, const PlaytestOptions& options);
// The same with the scratch file in a folder of its own (ending in a backslash): an editor
// installed in a folder it may not write keeps the scratch file in its data folder.
std::string PlaytestCommandLine(std::string_view programFolder, std::string_view scratchFolder,
                                std::string_view novelFolder, std::string_view currentFilePath,
                                const PlaytestOptions& options);

// What the runtime reads from its command line.
struct RuntimeArguments {
    PlaytestOptions options;
    std::string novelFolder; // after "*"; empty when none was given
    std::string novelFile;   // the novel to play; empty: the package appended to the program
    std::string saveName;    // after "=" (the ".mvb" name)
    std::string reportFile;  // "/report:<file>": write a report there and end
    std::string traceFile;   // "/trace:<file>": the play's trace, UTF-8 lines
    bool autoPlay = false;   // "/auto:<choices>": no reader; clicks answered at once
    std::string autoChoices; // the choices to take, "2,1,3"
    struct Shot {
        int page = 0;     // after this many pages
        std::string file; // PNG
    };
    std::vector<Shot> shots; // "/shot:<n>:<file>"
    std::vector<std::string> unknown; // options the runtime does not know, kept for the report
};

// Splits at blanks outside double quotes (a backslash is an ordinary character, so "\" before a
// closing quote stays); the first word is the program. UTF-8 or Shift-JIS.
std::vector<std::string> SplitCommandLine(std::string_view line);
RuntimeArguments ParseRuntimeArguments(std::string_view commandLine);

} // namespace miravo
