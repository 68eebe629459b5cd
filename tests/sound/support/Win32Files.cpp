#include "tests/sound/support/Win32Files.h"

#include <tlhelp32.h>

#include <cstdint>

namespace soundtest {

CTempFile::CTempFile(const Bytes& bytes, const char* prefix) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    char name[MAX_PATH];
    GetTempFileNameA(folder, prefix, 0, name);
    path_ = name;
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

CTempFile::~CTempFile() { DeleteFileA(path_.c_str()); }

CTestWindow::CTestWindow() {
    window_ = CreateWindowExA(0, "STATIC", "sound tests", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

CTestWindow::~CTestWindow() {
    if (window_)
        DestroyWindow(window_);
}

int ThreadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    CloseHandle(snapshot);
    return count;
}

// Wine answers GetProcessHandleCount with 0: the valid handle values are counted instead.
int HandlesOfThisProcess() {
    int count = 0;
    DWORD flags = 0;
    for (std::uintptr_t value = 4; value < 0x10000; value += 4)
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    return count;
}

} // namespace soundtest
