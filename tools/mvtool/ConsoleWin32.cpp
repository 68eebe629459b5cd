#include "tools/mvtool/Console.h"

#include "novel/ShiftJis.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace miravo {

std::vector<std::string> Utf8Arguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(sjis::Utf16ToUtf8(reinterpret_cast<const char16_t*>(wide[i])));
    LocalFree(wide);
    return arguments;
}

void PrepareConsole() {
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

} // namespace miravo
