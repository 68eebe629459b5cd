#include "vintara/Stream.h"

#include <cstdint>
#include <vector>

namespace vintara {

int IStream::CopyFrom(IStream& source, int count) {
    if (count == 0) {
        source.Seek(0, kSeekBegin);
        count = source.GetSize();
    }
    const int available = source.GetSize() - source.GetPosition();
    if (count > available)
        count = available;
    if (count <= 0)
        return 0;

    constexpr int kBlock = 8192;
    std::vector<char> block(kBlock);
    for (int i = 0; i < count / kBlock; ++i) {
        source.Read(block.data(), kBlock);
        Write(block.data(), kBlock);
    }
    const int rest = count % kBlock;
    source.Read(block.data(), rest);
    Write(block.data(), rest);
    return count;
}

int IStream::WriteString(const std::string& text) {
    const auto length = static_cast<std::uint32_t>(text.size());
    const unsigned char prefix[4] = {
        static_cast<unsigned char>(length), static_cast<unsigned char>(length >> 8),
        static_cast<unsigned char>(length >> 16), static_cast<unsigned char>(length >> 24)};
    return Write(prefix, 4) + Write(text.data(), int(text.size()));
}

std::string IStream::ReadString() {
    unsigned char prefix[4] = {};
    Read(prefix, 4);
    const std::int32_t length =
        std::int32_t(std::uint32_t(prefix[0]) | std::uint32_t(prefix[1]) << 8 |
                     std::uint32_t(prefix[2]) << 16 | std::uint32_t(prefix[3]) << 24);
    // A damaged length must not become a huge allocation: never ask for more than is left.
    int wanted = length;
    const int left = GetSize() - GetPosition();
    if (wanted > left)
        wanted = left;
    if (wanted <= 0)
        return {};
    std::string text(std::size_t(wanted), '\0');
    text.resize(std::size_t(Read(text.data(), wanted)));
    const auto zero = text.find('\0');
    if (zero != std::string::npos)
        text.resize(zero);
    return text;
}

} // namespace vintara
