#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace miravo {

// mvtool's commands over the document core. `arguments` are UTF-8 and exclude the program name;
// results go to `out`, notes and the one-line error message to `err`. Returns the exit code:
// 0 on success, 1 on any error (usage included).
int RunMvTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace miravo
