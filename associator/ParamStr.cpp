#include "associator/ParamStr.h"

#include "vintara/Exception.h"
#include "vintara/Text.h"

#include <cstdlib>

namespace vintara {

int ParamCount() { return __argc; }

std::string ParamStr(int index) {
    if (index < 0 || index >= __argc)
        throw EInvalidParameter("ParamStr(" + std::to_string(index) +
                                Utf8ToAnsi("): パラメータの範囲が不正です."));
    return __argv[index];
}

} // namespace vintara
