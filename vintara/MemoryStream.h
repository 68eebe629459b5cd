#pragma once

#include "vintara/Stream.h"

namespace vintara {

// A growable block in memory. Allocation failures leave it empty; it raises nothing.
class CMemoryStream : public IStream, public CNonCopyable {
public:
    CMemoryStream() = default;
    ~CMemoryStream() override;

    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int GetSize() override { return size_; }
    int SetSize(int size) override;
    int Seek(int offset, int origin) override;
    int GetPosition() override { return position_; }
    IStream* Clone() override;
    virtual void* GetBuffer() { return data_; }

private:
    void* data_ = nullptr;
    int size_ = 0;
    int position_ = 0;
};

} // namespace vintara
