#pragma once

#include "editor/widgets/Handles.h"

namespace miravo {

// How much of the system's visual style is on: 3 with desktop composition, 2 with a theme and the
// composition library present, 1 with a theme only, 0 classic. The two libraries are loaded by
// name, as older systems lack them, and stay loaded for the run.
class ThemeDetector {
public:
    ThemeDetector();
    int Level() const { return level_; }

private:
    LibraryHandle uxTheme_;
    LibraryHandle dwmApi_;
    int level_ = 0;
};

} // namespace miravo
