#include "runtime/RuntimeReport.h"

#include "novel/FileAccess.h"
#include "novel/NovelNames.h"
#include "novel/ShiftJis.h"
#include "runtime/StartScreen.h"

namespace miravo::runtime {

std::string RuntimeReport(const RuntimeArguments& arguments, const LoadedNovel& novel,
                          const std::vector<DataFile>& files) {
    const StartScreen screen = StartScreenOf(novel.model);
    std::string report;
    auto line = [&report](const std::string& key, const std::string& value) {
        report += key + ": " + value + "\n";
    };
    line("Novel", novel.package ? "package " + PathToUtf8(novel.programPath)
                                : "file " + PathToUtf8(novel.novelFile));
    line("NovelFolder", PathToUtf8(novel.novelFolder));
    line("Options", std::string(arguments.options.hiColor ? "/16 " : "") +
                        (arguments.options.debug ? "/debug" : ""));
    line("SaveName", arguments.saveName);
    line("Title", sjis::ToUtf8(screen.title));
    line("StartItem", sjis::ToUtf8(screen.itemName));
    line("Items", std::to_string(novel.model.Items.Count()));
    line("Counters", std::to_string(novel.model.Counters.Count()));
    line("TextWindows", std::to_string(novel.model.TextWindows.Count()));
    int missing = 0;
    for (const DataFile& file : files) {
        std::string where(DataLocationName(file.location));
        if (file.location == DataLocation::Refused)
            where += " (" + NameSafetyReason(CheckNameSafety(file.name)) + ")";
        if (file.location == DataLocation::Missing || file.location == DataLocation::Refused)
            ++missing;
        line("File", sjis::ToUtf8(file.name) + " = " + where);
    }
    line("Files", std::to_string(files.size()));
    line("Missing", std::to_string(missing));
    return report;
}

std::string FailureReport(const std::string& message) { return "Error: " + message + "\n"; }

} // namespace miravo::runtime
