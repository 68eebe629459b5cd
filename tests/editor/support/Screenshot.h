#pragma once

#include "vintara/Win32.h"

#include <filesystem>

namespace miravo::test {

// Saves what the screen shows inside the window's rectangle as a PNG file, for a person to look
// at; returns the file's path. The files go to "screenshots" beside the test program.
std::filesystem::path SaveScreenshot(HWND window, const char* name);

} // namespace miravo::test
