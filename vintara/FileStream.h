#pragma once

#include "vintara/Stream.h"

#include <string>

namespace vintara {

// Access modes: 1 read (existing file), 2 write (created anew), 3 read-write (opened or created);
// 0 acts as 2; above 3 the open fails. Share modes are the Win32 FILE_SHARE_* flags (0 to 3).
enum : int { kAccessRead = 1, kAccessWrite = 2, kAccessReadWrite = 3 };
enum : int { kShareNone = 0, kShareRead = 1, kShareWrite = 2, kShareReadWrite = 3 };

// A whole file through a Win32 handle. The constructor opens it or raises EFileOpenError.
class CFileStream : public IStream, public CNonCopyable {
public:
    CFileStream(const std::string& path, int accessMode, int shareMode);
    ~CFileStream() override;

    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int GetSize() override;
    int SetSize(int size) override;
    int Seek(int offset, int origin) override;
    int GetPosition() override;
    IStream* Clone() override;

protected:
    // Opening again for a clone never recreates the file: a write-mode stream would lose its
    // contents to its own clone.
    struct Reopen {};
    CFileStream(Reopen, const std::string& path, int accessMode, int shareMode);

    // Raw Win32 pieces the partition stream builds on.
    int ReadRaw(void* buffer, int count, const char* failureMessageUtf8);
    int MoveTo(long long absolute);
    const std::string& Path() const { return path_; }
    int AccessMode() const { return accessMode_; }
    int ShareMode() const { return shareMode_; }

private:
    void Open(bool reopen);

    void* handle_ = nullptr; // HANDLE; null when not open
    std::string path_;
    int accessMode_;
    int shareMode_;
};

// A read-only byte window [offset, offset + length) of a file; positions are window-relative.
class CFilePartitionStream : public CFileStream {
public:
    CFilePartitionStream(int windowOffset, int windowLength, const std::string& path,
                         int accessMode, int shareMode);

    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int GetSize() override { return windowLength_; }
    int SetSize(int size) override;
    int Seek(int offset, int origin) override;
    int GetPosition() override;
    IStream* Clone() override;

private:
    CFilePartitionStream(Reopen, int windowOffset, int windowLength, const std::string& path,
                         int accessMode, int shareMode);

    int windowOffset_;
    int windowLength_;
};

} // namespace vintara
