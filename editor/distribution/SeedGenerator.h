#pragma once

#include <cstdint>

namespace miravo {

// The editor's general pseudo-random generator, seeded from the clock when the editor starts:
// each build draws the seed that scrambles its novel from it, so that two builds differ.
class PseudoRandom {
public:
    PseudoRandom(); // from the clock
    explicit PseudoRandom(std::uint32_t seed) : state_(seed) {}

    // An integer from 0 to range - 1 (0 when range is 0).
    std::uint32_t Below(std::uint32_t range);

private:
    std::uint32_t state_;
};

// A seed for scrambling a build's novel, below kScrambleSeedLimit.
std::uint32_t DrawScrambleSeed(PseudoRandom& generator);

} // namespace miravo
