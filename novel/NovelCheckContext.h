#pragma once

#include "novel/NovelCheck.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// What the parts of the novel check share: the model's name tables, built once, and the
// findings list with the place currently being checked.
namespace miravo::check {

// Model text quoted in a message: UTF-8, with bytes that are no Shift-JIS character shown as
// U+FFFD so the message stays valid.
std::string Quoted(std::string_view shiftJis);

class Context {
public:
    Context(const CNovelModel& model, ICheckedFolder* folder);

    const CNovelModel& model;
    ICheckedFolder* folder;
    std::unordered_map<std::string, int> itemCountByName;
    std::unordered_map<std::string, int> lastItemByName;
    std::unordered_set<std::string> shownCharacters; // every name a .CharSet shows

    void At(int itemIndex, int line) {
        itemIndex_ = itemIndex;
        line_ = line;
    }
    void Add(CheckSeverity severity, std::string message);
    void Error(std::string message) { Add(CheckSeverity::Error, std::move(message)); }
    void Warning(std::string message) { Add(CheckSeverity::Warning, std::move(message)); }

    std::vector<CheckFinding> findings;

private:
    int itemIndex_ = -1;
    int line_ = 0;
};

void CheckSettings(Context& context);
void CheckLinks(Context& context, int itemIndex);
void CheckReachability(Context& context);
class FileReferences;
void CheckScriptLine(Context& context, FileReferences& files, std::string_view line);

// The file references; `what` names the place in the message ("タイトル画像").
class FileReferences {
public:
    explicit FileReferences(Context& context) : context_(context) {}
    void Check(std::string_view name, std::string_view what);
    void CheckSound(std::string_view name);

private:
    FileLookup Look(const std::string& name);
    Context& context_;
    std::unordered_map<std::string, FileLookup> looked_;
};

} // namespace miravo::check
