#pragma once

#include "novel/NovelCheck.h"

#include <iosfwd>
#include <vector>

// The novel check's findings on the console: one line each, `<item>:<line>: <severity>:
// <message>` with "-" for no item or no line, or a JSON array for other programs.
namespace miravo {

void WriteCheckLines(const std::vector<CheckFinding>& findings, std::ostream& out);
void WriteCheckJson(const std::vector<CheckFinding>& findings, std::ostream& out);

} // namespace miravo
