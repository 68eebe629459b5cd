// The settings file is outside data: a user may edit it, another version may have written it.
// The input is split into values for every key the editor reads; then everything the editor
// does with them at start-up must hold: no failure, at most ten recent files without
// duplicates or empty paths, positive window sizes, the main window on the screen.
#include "MemoryProfileFile.h"
#include "editor/shell/RecentFiles.h"
#include "editor/shell/Settings.h"
#include "editor/shell/WindowLayout.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using namespace miravo;

namespace {

std::vector<std::pair<std::string, std::string>> Keys() {
    std::vector<std::pair<std::string, std::string>> keys = {{"Version", "SavedVersion"},
                                                             {"WindowLayout", "ResumeEnabled"},
                                                             {"WindowLayout", "MainFormMaximized"}};
    for (int i = 1; i <= 12; ++i)
        keys.push_back({"RecentFiles", std::to_string(i)});
    for (const char* name : {"MainForm", "TextForm", "LinkPanel", "CounterForm", "ChartForm"}) {
        for (const char* suffix : {"Left", "Top", "Width", "Height"})
            keys.push_back({"WindowLayout", std::string(name) + suffix});
    }
    return keys;
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto keys = Keys();
    // Values are separated by 0x00 0x00; each is UTF-16LE, and a value that would end in the
    // middle of a character keeps its last byte as a character of its own.
    test::MemoryProfileFile file;
    std::size_t key = 0;
    std::u16string value;
    for (std::size_t i = 0; i < size && key < keys.size(); i += 2) {
        const char16_t c = char16_t(data[i] | (i + 1 < size ? unsigned(data[i + 1]) << 8 : 0u));
        if (c == 0) {
            file.WriteString(keys[key].first, keys[key].second, value);
            value.clear();
            ++key;
        } else {
            value += c;
        }
    }
    if (key < keys.size())
        file.WriteString(keys[key].first, keys[key].second, value);

    (void)ReadFirstRunFlag(file);
    RecentFiles recent;
    ReadRecentFiles(file, recent);
    Check(recent.Count() <= RecentFiles::kStoredCount);
    for (std::size_t i = 0; i < recent.Count(); ++i) {
        Check(!recent.Paths()[i].empty());
        for (std::size_t j = i + 1; j < recent.Count(); ++j)
            Check(!SamePathIgnoringCase(recent.Paths()[i], recent.Paths()[j]));
    }
    recent.Add(u"C:\\novel.mve");
    Check(recent.Paths().front() == u"C:\\novel.mve" ||
          SamePathIgnoringCase(recent.Paths().front(), u"C:\\novel.mve"));

    (void)ReadResumeEnabled(file);
    (void)ReadMaximized(file, kMainFormName);
    const WindowBounds screen{-1920, 0, 1920 + 2560, 1440};
    const WindowBounds current{100, 100, 800, 600};
    for (std::string_view name :
         {kMainFormName, kTextFormName, kLinkPanelName, kCounterFormName, kChartFormName}) {
        const WindowBounds bounds = ReadWindowBounds(file, name, current);
        Check(bounds.width >= 1 && bounds.height >= 1);
        if (bounds.width <= screen.width && bounds.height <= screen.height) {
            const WindowBounds clamped = ClampToVirtualScreen(bounds, screen);
            Check(clamped.left >= screen.left && clamped.left + bounds.width <= screen.Right());
            Check(clamped.top >= screen.top && clamped.top + bounds.height <= screen.Bottom());
        } else {
            const WindowBounds clamped = ClampToVirtualScreen(bounds, screen);
            Check(clamped.left >= screen.left && clamped.top >= screen.top);
        }
    }
    return 0;
}
