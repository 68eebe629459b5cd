#include "runtime/PlayTrace.h"

#include "novel/ShiftJis.h"

namespace miravo::runtime {

std::string PlayTrace::Text() const {
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\n";
    return text;
}

void PlayTrace::FlushPage() {
    while (!page_.empty() && page_.back().empty())
        page_.pop_back();
    if (!page_.empty()) {
        std::string joined;
        for (const std::string& line : page_)
            joined += (joined.empty() ? "" : " / ") + sjis::ToUtf8(line);
        lines_.push_back("Page: " + joined);
    }
    page_.clear();
    lineOpen_ = false;
}

void PlayTrace::ItemStarted(const std::string& name) {
    FlushPage();
    lines_.push_back("Item: " + sjis::ToUtf8(name));
}

void PlayTrace::CommandDone(std::string_view line) {
    lines_.push_back("Command: " + sjis::ToUtf8(line));
}

void PlayTrace::CommandSkipped(std::string_view line, std::string_view reason) {
    lines_.push_back("Skipped: " + sjis::ToUtf8(line) + " -- " + std::string(reason));
}

void PlayTrace::FileMissing(const std::string& file, std::string_view reason) {
    lines_.push_back("Missing: " + sjis::ToUtf8(file) +
                     (reason.empty() ? "" : " -- " + std::string(reason)));
}

void PlayTrace::ClearPage() { FlushPage(); }

void PlayTrace::ShowText(std::string_view text) {
    if (!lineOpen_)
        page_.emplace_back();
    page_.back() += text;
    lineOpen_ = true;
}

void PlayTrace::EndLine() {
    if (!lineOpen_)
        page_.emplace_back();
    lineOpen_ = false;
}

void PlayTrace::CounterChanged(const std::string& name, std::int32_t value) {
    lines_.push_back("Counter: " + sjis::ToUtf8(name) + " = " + std::to_string(value));
}

void PlayTrace::ShowChoices(const std::vector<Choice>& choices) {
    FlushPage();
    std::string line = "Choices:";
    for (std::size_t i = 0; i < choices.size(); ++i)
        line += (i ? " | " : " ") + std::to_string(i + 1) + "." + sjis::ToUtf8(choices[i].text);
    lines_.push_back(line);
}

void PlayTrace::Chosen(const Choice& choice) {
    lines_.push_back("Chose: " + sjis::ToUtf8(choice.text));
}

void PlayTrace::EndingReached(const std::string& itemName) {
    FlushPage();
    lines_.push_back("Ending: " + sjis::ToUtf8(itemName));
}

} // namespace miravo::runtime
