#include "vintara/DiagnosticLog.h"
#include "vintara/Win32.h"

namespace vintara {

void LogWin32Failure(const char* unit, int line) {
    const DWORD error = GetLastError();
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                   reinterpret_cast<char*>(&text), 0, nullptr);
    DiagnosticLog().Write(FormatFailureLine(text ? text : "", unit, line));
    if (text)
        LocalFree(text);
    SetLastError(error);
}

} // namespace vintara
