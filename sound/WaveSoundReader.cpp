#include "sound/WaveSoundReader.h"

#include "vintara/Exception.h"
#include "vintara/Text.h"

#include <algorithm>

namespace vintara {
namespace {

constexpr int kBaseFormatBytes = int(sizeof(WaveFormat));
// cbSize is 16 bits: no format block is longer than this.
constexpr int kLongestFormatBytes = kBaseFormatBytes + 0xFFFF;

} // namespace

void CWaveSoundReader::Open(IStream& stream) {
    format_.clear();
    riff_.Open(&stream);
    if (riff_.GetFormType() != MakeFourCC("WAVE"))
        throw EInvalidFileFormat(
            *this, Utf8ToAnsi("ファイルフォーマットエラー: WAVEファイルではありません."));
    riff_.FindChunk(MakeFourCC("fmt "));
    const int chunkBytes = std::min(riff_.GetChunkSize(), kLongestFormatBytes);
    std::vector<unsigned char> block(std::size_t(std::max(chunkBytes, kBaseFormatBytes)), 0);
    riff_.Read(block.data(), chunkBytes);
    // Whoever takes the format reads cbSize bytes beyond the 18: make sure they exist (zeros),
    // so that a chunk shorter than its own cbSize cannot lead to a read past the block.
    const auto* format = reinterpret_cast<const WaveFormat*>(block.data());
    block.resize(std::max(block.size(), std::size_t(kBaseFormatBytes) + format->cbSize), 0);
    format_ = std::move(block);
    Rewind();
}

WaveFormat* CWaveSoundReader::GetFormat() {
    return format_.empty() ? nullptr : reinterpret_cast<WaveFormat*>(format_.data());
}

void CWaveSoundReader::Rewind() { riff_.FindChunk(MakeFourCC("data")); }

int CWaveSoundReader::Read(void* buffer, int count) { return riff_.Read(buffer, count); }

int CWaveSoundReader::GetSize() { return riff_.GetChunkSize(); }

} // namespace vintara
