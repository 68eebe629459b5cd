// Stands in for the runtime in playtest tests: writes the command line it was started with to
// "commandline.txt" beside itself (through a temporary name, so that a reader never sees half).
#include <windows.h>

#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.resize(folder.find_last_of('\\') + 1);
    const std::string partial = folder + "commandline.part";
    const char* line = GetCommandLineA();
    const HANDLE file =
        CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    CloseHandle(file);
    return MoveFileExA(partial.c_str(), (folder + "commandline.txt").c_str(),
                       MOVEFILE_REPLACE_EXISTING)
               ? 0
               : 1;
}
