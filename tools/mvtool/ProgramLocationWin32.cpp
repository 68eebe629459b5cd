#include "tools/mvtool/ProgramLocation.h"

#include <windows.h>

#include <vector>

namespace miravo {

std::filesystem::path RunningProgramFolder() {
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length == 0)
            return {};
        if (length < name.size())
            return std::filesystem::path(std::wstring(name.data(), length)).parent_path();
        name.resize(name.size() * 2);
    }
}

} // namespace miravo
