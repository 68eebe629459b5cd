#pragma once

#include <cstdint>

namespace miravo::sjis::detail {

inline constexpr int kLeadCount = 60;   // 0x81-0x9F, 0xE0-0xFC
inline constexpr int kTrailCount = 189; // 0x40-0xFC

// UTF-16 code of each double-byte character; 0 where the pair is not a character of its own.
extern const std::uint16_t kDoubleByteToUtf16[kLeadCount * kTrailCount];

} // namespace miravo::sjis::detail
