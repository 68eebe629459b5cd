#include "runtime/StartScreen.h"

#include "novel/CommandParser.h"
#include "novel/ShiftJis.h"

namespace miravo::runtime {
namespace {

// Position of the first single-byte "@" (a trail byte of that value is part of a character).
std::size_t PageEnd(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); i += sjis::CharLength(line, i)) {
        if (line[i] == '@' && sjis::CharLength(line, i) == 1)
            return i;
    }
    return std::string_view::npos;
}

} // namespace

StartScreen StartScreenOf(const CNovelModel& model) {
    StartScreen screen;
    screen.title = model.Header.Title;
    if (model.Items.Count() == 0)
        return screen;
    int start = model.Items.IndexOf(model.Header.StartItem);
    if (start < 0)
        start = 0;
    const CNovelItem& item = model.Items[start];
    screen.itemName = item.Name;
    std::string page;
    for (std::string_view line : item.Text) {
        if (IsCommandLine(line)) {
            if (sjis::AsciiUpper(CommandWord(line)) == ".NEXTPAGE")
                break;
            continue;
        }
        const std::size_t end = PageEnd(line);
        if (!page.empty())
            page += "\r\n";
        page += StripTextMarkers(line.substr(0, end));
        if (end != std::string_view::npos)
            break;
    }
    while (page.size() >= 2 && page.compare(page.size() - 2, 2, "\r\n") == 0)
        page.resize(page.size() - 2);
    screen.firstPage = page;
    return screen;
}

} // namespace miravo::runtime
