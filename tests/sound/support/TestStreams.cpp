#include "tests/sound/support/TestStreams.h"

#include "vintara/Exception.h"

#include <cstring>

namespace soundtest {

std::unique_ptr<CWindowStream> CWindowStream::Over(std::vector<unsigned char> bytes, int offset,
                                                   int length) {
    auto shared = std::make_shared<Shared>();
    shared->bytes = std::move(bytes);
    shared->offset = offset;
    shared->length = length;
    return std::make_unique<CWindowStream>(shared);
}

int CWindowStream::Read(void* buffer, int count) {
    if (count <= 0)
        return 0;
    Shared& s = *shared_;
    // A file window stream clamps at the window end; reading from before its start, or a read
    // the clamp would not stop, is what this stream exists to catch.
    if (position_ < 0) {
        ++s.outsideReads;
        throw vintara::EReadError(*this, "read before the window");
    }
    if (position_ >= s.length)
        return 0;
    if (count > s.length - position_)
        count = s.length - position_;
    const long long absolute = static_cast<long long>(s.offset) + position_;
    if (absolute < 0 || absolute + count > static_cast<long long>(s.bytes.size())) {
        ++s.outsideReads;
        throw vintara::EReadError(*this, "read outside the data");
    }
    if (s.failAfterBytes >= 0 && s.bytesRead + count > s.failAfterBytes)
        throw vintara::EReadError(*this, "injected read failure");
    std::memcpy(buffer, s.bytes.data() + absolute, std::size_t(count));
    position_ += count;
    s.bytesRead += count;
    return count;
}

int CWindowStream::Write(const void*, int) { throw vintara::EWriteError(*this, "read-only"); }

int CWindowStream::SetSize(int) { throw vintara::EWriteError(*this, "read-only"); }

int CWindowStream::Seek(int offset, int origin) {
    long long target = position_;
    switch (origin) {
    case vintara::kSeekBegin: target = offset; break;
    case vintara::kSeekCurrent: target = static_cast<long long>(position_) + offset; break;
    case vintara::kSeekEnd: target = static_cast<long long>(shared_->length) + offset; break;
    default: throw vintara::EInvalidParameter(*this, "bad origin");
    }
    if (target < 0)
        target = 0;
    position_ = int(target);
    return position_;
}

vintara::IStream* CWindowStream::Clone() {
    auto* copy = new CWindowStream(shared_);
    copy->position_ = position_;
    ++shared_->clones;
    return copy;
}

int CWatchedStream::Read(void* buffer, int count) {
    const int position = inner_->GetPosition();
    const int got = inner_->Read(buffer, count);
    if (got > 0 && (position < 0 || position + got > inner_->GetSize()))
        ++*outside_;
    return got;
}

vintara::IStream* CWatchedStream::Clone() { return new CWatchedStream(inner_->Clone(), outside_); }

} // namespace soundtest
