#include "vintara/FileStream.h"

#include "vintara/DiagnosticLog.h"
#include "vintara/Exception.h"
#include "vintara/Text.h"
#include "vintara/Win32.h"

namespace vintara {
namespace {

HANDLE AsHandle(void* handle) { return static_cast<HANDLE>(handle); }

struct OpenModes {
    DWORD access = 0;
    DWORD creation = 0;
};

OpenModes ModesFor(int accessMode) {
    switch (accessMode) {
    case kAccessRead: return {GENERIC_READ, OPEN_EXISTING};
    case 0:
    case kAccessWrite: return {GENERIC_WRITE, CREATE_ALWAYS};
    case kAccessReadWrite: return {GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS};
    default: return {}; // CreateFileA refuses a zero disposition: the open fails
    }
}

DWORD ShareFlagsFor(int shareMode) {
    return shareMode >= kShareNone && shareMode <= kShareReadWrite ? DWORD(shareMode) : 0;
}

} // namespace

CFileStream::CFileStream(const std::string& path, int accessMode, int shareMode)
    : path_(path), accessMode_(accessMode), shareMode_(shareMode) {
    Open(false);
}

CFileStream::CFileStream(Reopen, const std::string& path, int accessMode, int shareMode)
    : path_(path), accessMode_(accessMode), shareMode_(shareMode) {
    Open(true);
}

void CFileStream::Open(bool reopen) {
    OpenModes modes = ModesFor(accessMode_);
    if (reopen && modes.creation == CREATE_ALWAYS)
        modes.creation = OPEN_EXISTING;
    HANDLE handle = CreateFileA(path_.c_str(), modes.access, ShareFlagsFor(shareMode_), nullptr,
                                modes.creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        VINTARA_LOG_WIN32_FAILURE();
        throw EFileOpenError(*this,
                             Utf8ToAnsi("ファイルを開けませんでした: ") + "\"" + path_ + "\"");
    }
    handle_ = handle;
}

CFileStream::~CFileStream() {
    if (handle_)
        CloseHandle(AsHandle(handle_));
}

int CFileStream::ReadRaw(void* buffer, int count, const char* failureMessageUtf8) {
    if (count <= 0)
        return 0;
    DWORD read = 0;
    if (!ReadFile(AsHandle(handle_), buffer, DWORD(count), &read, nullptr)) {
        VINTARA_LOG_WIN32_FAILURE();
        throw EReadError(*this, Utf8ToAnsi(failureMessageUtf8));
    }
    return int(read);
}

int CFileStream::Read(void* buffer, int count) {
    return ReadRaw(buffer, count, "ファイルストリームの読み込みに失敗しました.");
}

int CFileStream::Write(const void* buffer, int count) {
    if (count <= 0)
        return 0;
    DWORD written = 0;
    if (!WriteFile(AsHandle(handle_), buffer, DWORD(count), &written, nullptr)) {
        VINTARA_LOG_WIN32_FAILURE();
        throw EWriteError(*this, Utf8ToAnsi("ファイルストリームの書き込みに失敗しました."));
    }
    return int(written);
}

int CFileStream::GetSize() { return int(GetFileSize(AsHandle(handle_), nullptr)); }

int CFileStream::MoveTo(long long absolute) {
    LARGE_INTEGER target;
    target.QuadPart = absolute;
    LARGE_INTEGER result;
    // A move before the file start fails and leaves the position where it was.
    if (!SetFilePointerEx(AsHandle(handle_), target, &result, FILE_BEGIN))
        return GetPosition();
    return int(result.QuadPart);
}

int CFileStream::GetPosition() {
    LARGE_INTEGER zero{};
    LARGE_INTEGER position{};
    SetFilePointerEx(AsHandle(handle_), zero, &position, FILE_CURRENT);
    return int(position.QuadPart);
}

int CFileStream::Seek(int offset, int origin) {
    switch (origin) {
    case kSeekBegin: return MoveTo(offset);
    case kSeekCurrent: {
        const long long target = static_cast<long long>(GetPosition()) + offset;
        return MoveTo(target < 0 ? 0 : target);
    }
    case kSeekEnd: {
        const long long target = static_cast<long long>(GetSize()) + offset;
        return MoveTo(target < 0 ? 0 : target);
    }
    default: throw EInvalidParameter(*this, Utf8ToAnsi("シーク指示が異常です."));
    }
}

int CFileStream::SetSize(int size) {
    const int position = GetPosition();
    MoveTo(size);
    const bool ok = SetEndOfFile(AsHandle(handle_));
    const DWORD error = GetLastError();
    MoveTo(position);
    if (!ok) {
        SetLastError(error);
        VINTARA_LOG_WIN32_FAILURE();
        throw EWriteError(*this, Utf8ToAnsi("ファイルストリームのサイズを設定できません."));
    }
    return GetSize();
}

IStream* CFileStream::Clone() {
    auto* copy = new CFileStream(Reopen{}, path_, accessMode_, shareMode_);
    copy->MoveTo(GetPosition());
    return copy;
}

} // namespace vintara
