#include "editor/distribution/SeedGenerator.h"

#include "novel/NovelScramble.h"

#include <chrono>

namespace miravo {

PseudoRandom::PseudoRandom()
    : state_(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch() /
                                        std::chrono::milliseconds(1))) {}

std::uint32_t PseudoRandom::Below(std::uint32_t range) {
    // A linear congruential step; the range is scaled from the state's high bits, which are the
    // well mixed ones.
    state_ = state_ * 134775813u + 1u;
    return static_cast<std::uint32_t>((std::uint64_t(state_) * range) >> 32);
}

std::uint32_t DrawScrambleSeed(PseudoRandom& generator) {
    return generator.Below(kScrambleSeedLimit);
}

} // namespace miravo
