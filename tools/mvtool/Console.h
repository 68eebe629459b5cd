#pragma once

#include <string>
#include <vector>

namespace miravo {

// The program's arguments as UTF-8 (on Windows from the wide command line, so that Japanese
// file names survive any ANSI code page), without the program name.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard output takes bytes unchanged (no CR inserted before LF); a console shows UTF-8.
void PrepareConsole();

} // namespace miravo
