#include "novel/FileAccessPlatform.h"

#include <windows.h>

namespace miravo::platform {
namespace {

class Win32OutputFile : public OutputFile {
public:
    explicit Win32OutputFile(HANDLE handle) : handle_(handle) {}
    ~Win32OutputFile() override {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }

    bool Write(const char* data, std::size_t size) override {
        while (size > 0) {
            const DWORD piece = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!WriteFile(handle_, data, piece, &written, nullptr) || written == 0)
                return false;
            data += written;
            size -= written;
        }
        return true;
    }

    bool FlushAndClose() override {
        const bool flushed = FlushFileBuffers(handle_) != 0;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return flushed && closed;
    }

private:
    HANDLE handle_;
};

} // namespace

std::unique_ptr<OutputFile> CreateNewFile(const std::filesystem::path& path, CreateResult& result) {
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        result = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
                     ? CreateResult::AlreadyExists
                     : CreateResult::Failed;
        return nullptr;
    }
    result = CreateResult::Created;
    return std::make_unique<Win32OutputFile>(handle);
}

namespace {

class Win32InputFile : public InputFile {
public:
    Win32InputFile(HANDLE handle, std::uint64_t size) : handle_(handle), size_(size) {}
    ~Win32InputFile() override { CloseHandle(handle_); }

    std::uint64_t Size() const override { return size_; }

    bool ReadInto(std::string& out, std::size_t count) override {
        char buffer[1 << 16];
        while (count > 0) {
            DWORD got = 0;
            const DWORD piece = count < sizeof buffer ? static_cast<DWORD>(count) : sizeof buffer;
            if (!ReadFile(handle_, buffer, piece, &got, nullptr))
                return false;
            if (got == 0)
                break;
            out.append(buffer, got);
            count -= got;
        }
        return true;
    }

private:
    HANDLE handle_;
    std::uint64_t size_;
};

} // namespace

std::unique_ptr<InputFile> OpenInputFile(const std::filesystem::path& path, bool exclusive) {
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, exclusive ? 0 : FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER size{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size)) {
        CloseHandle(handle);
        return nullptr;
    }
    return std::make_unique<Win32InputFile>(handle, static_cast<std::uint64_t>(size.QuadPart));
}

namespace {

std::uint32_t SystemReplaceFile(const std::filesystem::path& target,
                                const std::filesystem::path& replacement) {
    return ReplaceFileW(target.c_str(), replacement.c_str(), nullptr,
                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
               ? 0
               : GetLastError();
}

std::uint32_t SystemMoveFile(const std::filesystem::path& replacement,
                             const std::filesystem::path& target) {
    return MoveFileExW(replacement.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : GetLastError();
}

} // namespace

const ReplaceCalls& SystemReplaceCalls() {
    static const ReplaceCalls calls{&SystemReplaceFile, &SystemMoveFile};
    return calls;
}

ReplaceResult ReplaceTarget(const std::filesystem::path& replacement,
                            const std::filesystem::path& target, const ReplaceCalls& calls) {
    // ReplaceFileW keeps the target's attributes and security; where it cannot act (no target
    // yet, or a file system without support) a write-through move does the same step.
    const std::uint32_t error = calls.replaceFile(target, replacement);
    if (error == 0)
        return ReplaceResult::Replaced;
    // Without a backup name these two mean that the target is gone (1176) or lies under another
    // name (1177), while the replacement keeps its own name: the move below is then the only
    // way left to put the novel in place.
    const bool targetGone =
        error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
    if (calls.moveFile(replacement, target) == 0)
        return ReplaceResult::Replaced;
    return targetGone ? ReplaceResult::TargetLost : ReplaceResult::TargetIntact;
}

void RemoveFileQuietly(const std::filesystem::path& path) { DeleteFileW(path.c_str()); }

} // namespace miravo::platform
