#pragma once

#include "vintara/Win32.h"

#include <string>
#include <string_view>

namespace miravo {

// A window that has hints answers for the point under the pointer; a tool bar answers per button.
// Hints are "short|long": the status bar shows the long part.
class HintSource {
public:
    virtual ~HintSource() = default;
    virtual std::wstring HintAt(POINT client) const = 0;
};

// Binds a hint source to a window for as long as both live.
void AttachHintSource(HWND window, const HintSource* source);

// The long part of the hint at a screen point over `window`: the first window upwards from it
// that has a non-empty hint answers (as a control without a hint shows its container's).
std::wstring LongHintAt(HWND window, POINT screen);

// Text after "|", or the whole hint when it has no bar.
std::wstring_view LongHint(std::wstring_view hint);

} // namespace miravo
