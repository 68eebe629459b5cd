#pragma once

#include <string>
#include <typeinfo>

namespace vintara {

// The run-time class name in the undecorated form reports use: "class vintara::CFileStream".
std::string ClassNameOf(const std::type_info& type);

template <class T> std::string ClassNameOf(const T& object) { return ClassNameOf(typeid(object)); }

} // namespace vintara
