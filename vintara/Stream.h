#pragma once

#include "vintara/Object.h"

#include <string>

namespace vintara {

// Seek origins.
enum : int { kSeekBegin = 0, kSeekCurrent = 1, kSeekEnd = 2 };

// A byte stream with 32-bit signed sizes and positions. The virtual slots keep this order.
class IStream : public IInterface {
public:
    // Appends `count` bytes read from `source` (0: all of it, from its start), in 8192-byte blocks.
    virtual int CopyFrom(IStream& source, int count);
    virtual int Read(void* buffer, int count) = 0;
    virtual int Write(const void* buffer, int count) = 0;
    // A 4-byte little-endian length followed by the bytes, no terminator.
    virtual int WriteString(const std::string& text);
    // The counterpart of WriteString; the text ends at the first zero byte.
    virtual std::string ReadString();
    virtual int GetSize() = 0;
    virtual int SetSize(int size) = 0;
    virtual int Seek(int offset, int origin) = 0;
    virtual int GetPosition() = 0;
    // An independent stream over the same data at the same position; the caller owns it.
    virtual IStream* Clone() = 0;
};

} // namespace vintara
