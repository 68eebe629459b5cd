#include "vintara/TypeName.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>

namespace vintara {

std::string ClassNameOf(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    if (status != 0 || !demangled)
        return type.name();
    return std::string("class ") + demangled.get();
}

} // namespace vintara
