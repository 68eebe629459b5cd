#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Story text broken into rows that fit the text rectangle. A row ends before the character that
// would pass the width; a double-byte character always stays whole; a row holds at least one
// character, however narrow the rectangle.
namespace miravo::runtime {

// The advance of one character (one or two Shift-JIS bytes) in pixels.
using CharacterWidth = std::function<int(std::string_view character)>;

std::vector<std::string> WrapLine(std::string_view line, int width, const CharacterWidth& measure);

} // namespace miravo::runtime
