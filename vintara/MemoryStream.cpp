#include "vintara/MemoryStream.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace vintara {

CMemoryStream::~CMemoryStream() { std::free(data_); }

int CMemoryStream::Read(void* buffer, int count) {
    if (count > size_ - position_)
        count = size_ - position_;
    if (count <= 0)
        return 0;
    std::memcpy(buffer, static_cast<char*>(data_) + position_, std::size_t(count));
    position_ += count;
    return count;
}

int CMemoryStream::Write(const void* buffer, int count) {
    if (count <= 0 || position_ > INT_MAX - count)
        return 0;
    const int end = position_ + count;
    if (end > size_) {
        void* grown = std::realloc(data_, std::size_t(end));
        if (!grown)
            return 0;
        data_ = grown;
        // A position beyond the old end (after SetSize shrank the block) leaves a gap: zero it.
        if (position_ > size_)
            std::memset(static_cast<char*>(data_) + size_, 0, std::size_t(position_ - size_));
        size_ = end;
    }
    std::memcpy(static_cast<char*>(data_) + position_, buffer, std::size_t(count));
    position_ = end;
    return count;
}

int CMemoryStream::SetSize(int size) {
    if (size <= 0) {
        std::free(data_);
        data_ = nullptr;
        size_ = 0;
        return 0;
    }
    void* resized = std::realloc(data_, std::size_t(size));
    if (!resized) {
        std::free(data_);
        data_ = nullptr;
        size_ = 0;
        return 0;
    }
    data_ = resized;
    size_ = size;
    return size_;
}

int CMemoryStream::Seek(int offset, int origin) {
    long long target = position_;
    switch (origin) {
    case kSeekBegin: target = offset; break;
    case kSeekCurrent: target = static_cast<long long>(position_) + offset; break;
    case kSeekEnd: target = static_cast<long long>(size_) + offset; break;
    default: break;
    }
    if (target < 0)
        target = 0;
    if (target > size_)
        target = size_;
    position_ = int(target);
    return position_;
}

IStream* CMemoryStream::Clone() {
    auto* copy = new CMemoryStream;
    if (size_ > 0) {
        copy->data_ = std::malloc(std::size_t(size_));
        if (copy->data_) {
            std::memcpy(copy->data_, data_, std::size_t(size_));
            copy->size_ = size_;
        }
    }
    copy->position_ = position_ < 0 ? 0 : (position_ > copy->size_ ? copy->size_ : position_);
    return copy;
}

} // namespace vintara
