#include "sound/RIFFReader.h"

#include "vintara/Exception.h"
#include "vintara/Text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vintara {
namespace {

std::uint32_t LittleEndian32(const unsigned char* bytes) {
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

} // namespace

void CRIFFReader::Open(IStream* stream) {
    stream_ = stream;
    chunks_.clear();
    formType_ = 0;
    chunkSize_ = 0;
    chunkReadPosition_ = 0;

    const long long start = stream_->GetPosition();
    unsigned char header[12] = {};
    const int got = stream_->Read(header, 12);
    if (got < 4 || std::memcmp(header, "RIFF", 4) != 0)
        throw EInvalidFileFormat(
            *this, Utf8ToAnsi("ファイルフォーマットエラー: RIFFファイルではありません."));
    const long long streamSize = stream_->GetSize();
    const long long end = std::min(start + 8 + LittleEndian32(header + 4), streamSize);
    formType_ = LittleEndian32(header + 8);

    long long position = start + 12;
    FourCC id = 0;
    std::uint32_t declared = 0;
    while (position < end && ReadHeaderAt(position, id, declared)) {
        const long long data = position + 8;
        const long long available = std::max(0LL, streamSize - data);
        chunks_[id] = {int(data), int(std::min<long long>(declared, available))};
        long long next = data + declared;
        if ((declared & 1) != 0 && next < end) {
            ++next;
            if (!LooksLikeChunkId(next) && LooksLikeChunkId(next - 1))
                --next;
        }
        position = next;
    }
}

bool CRIFFReader::ReadHeaderAt(long long position, FourCC& id, std::uint32_t& size) {
    unsigned char header[8];
    stream_->Seek(int(position), kSeekBegin);
    if (stream_->Read(header, 8) != 8)
        return false;
    id = LittleEndian32(header);
    size = LittleEndian32(header + 4);
    return true;
}

bool CRIFFReader::LooksLikeChunkId(long long position) {
    if (position + 4 > stream_->GetSize())
        return false;
    unsigned char id[4];
    stream_->Seek(int(position), kSeekBegin);
    if (stream_->Read(id, 4) != 4)
        return false;
    return std::all_of(id, id + 4, [](unsigned char c) { return c >= 0x20 && c <= 0x7E; });
}

void CRIFFReader::FindChunk(FourCC id) {
    const auto found = chunks_.find(id);
    if (found == chunks_.end()) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%8X", static_cast<unsigned>(id));
        throw EReadError(*this, Utf8ToAnsi("指定されたRIFFチャンクが見つかりません - ") + hex);
    }
    stream_->Seek(found->second.first, kSeekBegin);
    chunkSize_ = found->second.second;
    chunkReadPosition_ = 0;
}

int CRIFFReader::Read(void* buffer, int count) {
    if (count > chunkSize_ - chunkReadPosition_)
        count = chunkSize_ - chunkReadPosition_;
    if (count <= 0)
        return 0;
    const int got = stream_->Read(buffer, count);
    chunkReadPosition_ += got;
    return got;
}

} // namespace vintara
