#pragma once

#include "vintara/Object.h"
#include "vintara/Stream.h"

#include <cstdint>
#include <map>
#include <string_view>
#include <utility>

namespace vintara {

using FourCC = std::uint32_t;

// The chunk id as the file stores it, read as a little-endian integer ("data" is 0x61746164).
constexpr FourCC MakeFourCC(std::string_view id) {
    return FourCC(std::uint8_t(id[0])) | FourCC(std::uint8_t(id[1])) << 8 |
           FourCC(std::uint8_t(id[2])) << 16 | FourCC(std::uint8_t(id[3])) << 24;
}

// Indexes the chunks of a RIFF form and reads one chunk at a time.
//
// Chunk walk rules: an odd-sized chunk is followed by a pad byte, as RIFF requires; when the
// writer left the pad out (the bytes right after the chunk form a chunk id and the padded ones do
// not), the walk follows the unpadded position instead. Declared sizes are unsigned and are cut
// to the bytes the stream really holds, so a lying size can neither loop the walk nor make a
// reader promise data that is not there. The last chunk of an id wins.
class CRIFFReader : public CNonCopyable {
public:
    virtual void Open(IStream* stream);
    virtual FourCC GetFormType() const { return formType_; }
    // Moves to the first data byte of the chunk; raises EReadError if the form has none.
    virtual void FindChunk(FourCC id);
    virtual int GetChunkSize() const { return chunkSize_; }
    // Reads within the current chunk.
    virtual int Read(void* buffer, int count);

private:
    bool ReadHeaderAt(long long position, FourCC& id, std::uint32_t& size);
    bool LooksLikeChunkId(long long position);

    IStream* stream_ = nullptr;
    FourCC formType_ = 0;
    std::map<FourCC, std::pair<int, int>> chunks_; // id -> (data position, size)
    int chunkSize_ = 0;
    int chunkReadPosition_ = 0;
};

} // namespace vintara
