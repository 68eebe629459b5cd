#include "tools/mvtool/ProgramLocation.h"

namespace miravo {

std::filesystem::path RunningProgramFolder() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
}

} // namespace miravo
