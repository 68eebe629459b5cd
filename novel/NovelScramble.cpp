#include "novel/NovelScramble.h"

#include "novel/ByteStream.h"

#include <random>

namespace miravo {

std::uint32_t DrawScrambleSeed() {
    std::random_device device;
    return static_cast<std::uint32_t>(device() % kScrambleSeedLimit);
}

void ApplyKeyStream(char* data, std::size_t size, std::uint32_t& state) {
    std::uint32_t key = state;
    for (std::size_t i = 0; i < size; ++i) {
        key = key * 1703542917u + 1u; // modulo 2^32 by unsigned arithmetic
        data[i] = static_cast<char>(static_cast<unsigned char>(data[i]) ^ (key >> 24));
    }
    state = key;
}

std::string ScrambleNovel(std::string_view novel, std::uint32_t seed) {
    std::string out(4 + novel.size(), '\0');
    for (int i = 0; i < 4; ++i)
        out[std::size_t(i)] = static_cast<char>((seed >> (8 * i)) & 0xFF);
    std::copy(novel.begin(), novel.end(), out.begin() + 4);
    std::uint32_t state = seed;
    ApplyKeyStream(out.data() + 4, novel.size(), state);
    return out;
}

std::string UnscrambleNovel(std::string_view scrambled) {
    if (scrambled.size() < 4)
        ByteReader::Fail();
    std::uint32_t seed = 0;
    for (int i = 0; i < 4; ++i)
        seed |= std::uint32_t(static_cast<unsigned char>(scrambled[std::size_t(i)])) << (8 * i);
    std::string novel(scrambled.substr(4));
    ApplyKeyStream(novel.data(), novel.size(), seed);
    return novel;
}

} // namespace miravo
