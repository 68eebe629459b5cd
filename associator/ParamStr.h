#pragma once

#include <string>

namespace vintara {

// The program's arguments; index 0 is the program itself.
int ParamCount();
// Raises EInvalidParameter "ParamStr(<index>): パラメータの範囲が不正です." outside the arguments.
std::string ParamStr(int index);

} // namespace vintara
