#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The novel travels scrambled in a built program, so that its text cannot be read in the
// program file: a 4-byte seed, then every byte XORed with a key stream that the seed starts.
namespace miravo {

// Seeds lie below this bound, as the editor's generator draws them.
inline constexpr std::uint32_t kScrambleSeedLimit = 2147483646;

// A fresh seed for a build (builds differ unless a seed is given).
std::uint32_t DrawScrambleSeed();

// The seed as 4 bytes little-endian, then the scrambled bytes: 4 bytes longer than `novel`.
std::string ScrambleNovel(std::string_view novel, std::uint32_t seed);

// The novel bytes back; FileReadError when the data is shorter than its seed.
std::string UnscrambleNovel(std::string_view scrambled);

// XORs `size` bytes with the key stream, going on from `state` (which it advances).
void ApplyKeyStream(char* data, std::size_t size, std::uint32_t& state);

} // namespace miravo
