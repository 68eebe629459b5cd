#pragma once

#include "runtime/PlayerEffects.h"

#include <string>
#include <vector>

// The trace of "/trace:<file>": one UTF-8 line for each item entered, command run or skipped,
// page of text, menu offered, choice taken and ending, so that a test can follow a whole play.
//   Item: <name>            Command: <line>        Skipped: <line> -- <reason>
//   Page: <line> / <line>   Choices: 1.<text> | 2.<text>   Chose: <text>
//   Counter: <name> = <value>   Ending: <item>   Missing: <file> [-- <reason>]
namespace miravo::runtime {

class PlayTrace : public IPlayerEffects {
public:
    const std::vector<std::string>& Lines() const { return lines_; }
    std::string Text() const; // the lines, each ended by "\n"
    void Note(const std::string& utf8Line) { lines_.push_back(utf8Line); }

    void ItemStarted(const std::string& name) override;
    void CommandDone(std::string_view line) override;
    void CommandSkipped(std::string_view line, std::string_view reason) override;
    void FileMissing(const std::string& file, std::string_view reason) override;
    void ClearPage() override;
    void ShowText(std::string_view text) override;
    void EndLine() override;
    void CounterChanged(const std::string& name, std::int32_t value) override;
    void ShowChoices(const std::vector<Choice>& choices) override;
    void Chosen(const Choice& choice) override;
    void EndingReached(const std::string& itemName) override;

private:
    void FlushPage();

    std::vector<std::string> lines_;
    std::vector<std::string> page_; // Shift-JIS lines of the page being shown
    bool lineOpen_ = false;
};

} // namespace miravo::runtime
