#include "editor/shell/WindowLayout.h"

#include "editor/shell/Settings.h"

#include <algorithm>
#include <string>

namespace miravo {

namespace {

constexpr std::string_view kLayoutSection = "WindowLayout";
constexpr std::string_view kResumeEnabledKey = "ResumeEnabled";

std::string Key(std::string_view name, std::string_view suffix) {
    std::string key(name);
    key += suffix;
    return key;
}

// Left (or top) of a span of `size` kept inside [low, high): the far edge first, then the near
// edge, so that the near edge wins when the span is larger than the range. In 64 bits: the
// values come from the settings file and may be anything.
int KeepInside(int start, int size, int low, int high) {
    long long result = start;
    if (result + size > high)
        result = static_cast<long long>(high) - size;
    return static_cast<int>(std::clamp<long long>(result, low, std::max(low, high)));
}

int ReadSize(const IProfileFile& file, std::string_view key, int current) {
    int value = ReadInteger(file, kLayoutSection, key, current);
    return value >= 1 ? value : current;
}

} // namespace

WindowBounds ClampToVirtualScreen(const WindowBounds& window, const WindowBounds& virtualScreen) {
    WindowBounds result = window;
    result.left = KeepInside(window.left, window.width, virtualScreen.left, virtualScreen.Right());
    result.top = KeepInside(window.top, window.height, virtualScreen.top, virtualScreen.Bottom());
    return result;
}

ArrangedChildren ArrangeChildWindows(const ArrangeMetrics& m) {
    const int h = m.mainClientHeight - m.toolBarHeight - m.statusBarHeight - 4;
    ArrangedChildren result;
    result.textForm = {m.mainClientWidth - m.textFormWidth - 4, 0, m.textFormWidth, std::max(h, 0)};
    const int leftWidth = std::max(result.textForm.left, 0);
    result.counterForm = {0, h - m.counterFormHeight, leftWidth, m.counterFormHeight};
    result.chartForm = {0, 0, leftWidth, std::max(h - m.counterFormHeight, 0)};
    return result;
}

bool ReadResumeEnabled(const IProfileFile& file) {
    return ReadBool(file, kLayoutSection, kResumeEnabledKey, true);
}

void WriteResumeEnabled(IProfileFile& file, bool enabled) {
    WriteBool(file, kLayoutSection, kResumeEnabledKey, enabled);
}

bool ReadMaximized(const IProfileFile& file, std::string_view name) {
    return ReadBool(file, kLayoutSection, Key(name, "Maximized"), true);
}

void WriteMaximized(IProfileFile& file, std::string_view name, bool maximized) {
    WriteBool(file, kLayoutSection, Key(name, "Maximized"), maximized);
}

WindowBounds ReadWindowBounds(const IProfileFile& file, std::string_view name,
                              const WindowBounds& current) {
    WindowBounds bounds;
    bounds.left = ReadInteger(file, kLayoutSection, Key(name, "Left"), current.left);
    bounds.top = ReadInteger(file, kLayoutSection, Key(name, "Top"), current.top);
    bounds.width = ReadSize(file, Key(name, "Width"), current.width);
    bounds.height = ReadSize(file, Key(name, "Height"), current.height);
    return bounds;
}

void WriteWindowBounds(IProfileFile& file, std::string_view name, const WindowBounds& bounds) {
    WriteInteger(file, kLayoutSection, Key(name, "Left"), bounds.left);
    WriteInteger(file, kLayoutSection, Key(name, "Top"), bounds.top);
    WriteInteger(file, kLayoutSection, Key(name, "Width"), bounds.width);
    WriteInteger(file, kLayoutSection, Key(name, "Height"), bounds.height);
}

} // namespace miravo
