#include "runtime/PlayerCounters.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>

namespace miravo::runtime {

RandomSource DefaultRandomSource() {
    auto engine = std::make_shared<std::mt19937>(
        std::uint32_t(std::chrono::steady_clock::now().time_since_epoch().count()));
    return [engine](std::int32_t low, std::int32_t high) {
        return std::uniform_int_distribution<std::int32_t>(low, high)(*engine);
    };
}

PlayerCounters::PlayerCounters(const CNovelCounters& table) : table_(table) { Reset(); }

void PlayerCounters::Reset() {
    values_.clear();
    for (int i = 0; i < table_.Count(); ++i) {
        values_.push_back(0);
        Set(i, table_[i].InitialValue);
    }
}

void PlayerCounters::NewPlay() {
    values_.resize(std::size_t(table_.Count()), 0);
    for (int i = 0; i < table_.Count(); ++i) {
        if (!table_[i].CarryOver)
            Set(i, table_[i].InitialValue);
    }
}

void PlayerCounters::Set(int index, std::int64_t value) {
    const CNovelCounter& counter = table_[index];
    const std::int64_t low = std::min(counter.MinValue, counter.MaxValue);
    const std::int64_t high = std::max(counter.MinValue, counter.MaxValue);
    values_.at(std::size_t(index)) = std::int32_t(std::clamp(value, low, high));
}

} // namespace miravo::runtime
