#pragma once

#include <filesystem>

namespace miravo {

// The folder of the running program (where mvtool finds the runtime and the sound engine).
std::filesystem::path RunningProgramFolder();

} // namespace miravo
