#pragma once

#include "novel/NovelData.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// The counters of one play: each keeps its value within its range, whatever a script adds.
namespace miravo::runtime {

// A number from low to high inclusive (low <= high); tests inject their own.
using RandomSource = std::function<std::int32_t(std::int32_t low, std::int32_t high)>;
RandomSource DefaultRandomSource(); // seeded from the clock

class PlayerCounters {
public:
    explicit PlayerCounters(const CNovelCounters& table);

    // A new play: every counter at its initial value, carried-over ones keep theirs.
    void NewPlay();
    // The whole table back to initial values, carried-over ones included.
    void Reset();

    int IndexOf(std::string_view name) const { return table_.IndexOf(name); } // last match
    std::int32_t Value(int index) const { return values_.at(std::size_t(index)); }
    // Stored within [MinValue, MaxValue] (a range written upside down counts as its bounds
    // swapped).
    void Set(int index, std::int64_t value);
    void Add(int index, std::int64_t amount) { Set(index, std::int64_t(Value(index)) + amount); }

    const std::vector<std::int32_t>& Values() const { return values_; }
    int Count() const { return int(values_.size()); }
    const CNovelCounter& Record(int index) const { return table_[index]; }

private:
    const CNovelCounters& table_;
    std::vector<std::int32_t> values_;
};

} // namespace miravo::runtime
