#pragma once

#include "vintara/Stream.h"

#include <atomic>
#include <memory>
#include <vector>

namespace soundtest {

// A read-only stream over a byte window [offset, offset + length) of a larger block, positioned
// like a file window stream. Any read that would touch a byte outside the window raises
// EReadError and is counted, and so is a read after `failAfterBytes` bytes (when set): the
// stream fails exactly where a sound engine must not, or cannot, read.
class CWindowStream : public vintara::IStream, public vintara::CNonCopyable {
public:
    struct Shared {
        std::vector<unsigned char> bytes;
        int offset = 0;
        int length = 0;
        long long failAfterBytes = -1;
        std::atomic<long long> bytesRead{0};
        std::atomic<int> outsideReads{0};
        std::atomic<int> clones{0};
    };

    explicit CWindowStream(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
    static std::unique_ptr<CWindowStream> Over(std::vector<unsigned char> bytes, int offset,
                                               int length);

    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int GetSize() override { return shared_->length; }
    int SetSize(int size) override;
    int Seek(int offset, int origin) override;
    int GetPosition() override { return position_; }
    IStream* Clone() override;

    Shared& State() { return *shared_; }

private:
    std::shared_ptr<Shared> shared_;
    int position_ = 0; // window-relative
};

// Passes everything on to a stream it owns (a file window stream, say) and counts the reads that
// delivered bytes from outside [0, size): such bytes lie outside the window.
class CWatchedStream : public vintara::IStream, public vintara::CNonCopyable {
public:
    CWatchedStream(vintara::IStream* inner, std::shared_ptr<std::atomic<int>> outside)
        : inner_(inner), outside_(std::move(outside)) {}

    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override { return inner_->Write(buffer, count); }
    int GetSize() override { return inner_->GetSize(); }
    int SetSize(int size) override { return inner_->SetSize(size); }
    int Seek(int offset, int origin) override { return inner_->Seek(offset, origin); }
    int GetPosition() override { return inner_->GetPosition(); }
    IStream* Clone() override;

    int OutsideReads() const { return *outside_; }

private:
    std::unique_ptr<vintara::IStream> inner_;
    std::shared_ptr<std::atomic<int>> outside_;
};

} // namespace soundtest
