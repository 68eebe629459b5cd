#include "vintara/Exception.h"
#include "vintara/FileStream.h"
#include "vintara/Text.h"

namespace vintara {

CFilePartitionStream::CFilePartitionStream(int windowOffset, int windowLength,
                                           const std::string& path, int accessMode, int shareMode)
    : CFileStream(path, accessMode, shareMode), windowOffset_(windowOffset),
      windowLength_(windowLength) {
    MoveTo(windowOffset_);
}

CFilePartitionStream::CFilePartitionStream(Reopen reopen, int windowOffset, int windowLength,
                                           const std::string& path, int accessMode, int shareMode)
    : CFileStream(reopen, path, accessMode, shareMode), windowOffset_(windowOffset),
      windowLength_(windowLength) {
    MoveTo(windowOffset_);
}

int CFilePartitionStream::GetPosition() { return CFileStream::GetPosition() - windowOffset_; }

int CFilePartitionStream::Read(void* buffer, int count) {
    const int position = GetPosition();
    // Bytes outside the window are never read, also after a seek before the window start.
    if (position < 0 || position >= windowLength_)
        return 0;
    if (count > windowLength_ - position)
        count = windowLength_ - position;
    return ReadRaw(buffer, count, "Read(): 読み込みに失敗しました.");
}

int CFilePartitionStream::Write(const void*, int) {
    throw EWriteError(*this, Utf8ToAnsi("Write(): 書き込みが禁止されています."));
}

int CFilePartitionStream::SetSize(int) {
    throw EWriteError(*this, Utf8ToAnsi("SetSize(): 書き込みが禁止されています."));
}

int CFilePartitionStream::Seek(int offset, int origin) {
    const long long start = windowOffset_;
    switch (origin) {
    case kSeekBegin: return MoveTo(start + offset);
    case kSeekCurrent: {
        const long long target = static_cast<long long>(GetPosition()) + offset;
        if (target > windowLength_)
            return MoveTo(start + GetPosition());
        return MoveTo(target < 0 ? start : start + target);
    }
    case kSeekEnd: {
        const long long target = start + windowLength_ + (offset > 0 ? 0 : offset);
        return MoveTo(target < start ? start : target);
    }
    default: throw EInvalidParameter(*this, Utf8ToAnsi("Seek(): シーク指示が異常です."));
    }
}

IStream* CFilePartitionStream::Clone() {
    auto* copy = new CFilePartitionStream(Reopen{}, windowOffset_, windowLength_, Path(),
                                          AccessMode(), ShareMode());
    copy->MoveTo(static_cast<long long>(windowOffset_) + GetPosition());
    return copy;
}

} // namespace vintara
