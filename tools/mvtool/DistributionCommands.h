#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace miravo {

// mvtool's commands for distribution, sharing the build wizard's code:
//   collect NOVEL [--check]
//   build NOVEL OUT.exe [--separate] [--runtime FILE] [--sound FILE] [--seed N]
//   unpack PROGRAM.exe [DIR]
bool IsDistributionCommand(const std::string& command);
// Returns the exit code; errors go to `err` as "mvtool: ..." lines.
int RunDistributionCommand(const std::vector<std::string>& arguments, std::ostream& out,
                           std::ostream& err);

extern const char* const kDistributionUsage;

} // namespace miravo
