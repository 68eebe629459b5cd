#include "associator/Registry.h"

#include "vintara/Exception.h"

#include <cstdio>
#include <vector>

namespace vintara {

std::string RootKeyName(HKEY root) {
    struct Named {
        HKEY key;
        const char* name;
    };
    static const Named kRoots[] = {
        {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT\\"},
        {HKEY_CURRENT_USER, "HKEY_CURRENT_USER\\"},
        {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE\\"},
        {HKEY_USERS, "HKEY_USERS\\"},
        {HKEY_PERFORMANCE_DATA, "HKEY_PERFORMANCE_DATA\\"},
        {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG\\"},
        {HKEY_DYN_DATA, "HKEY_DYN_DATA\\"},
    };
    for (const auto& named : kRoots)
        if (named.key == root)
            return named.name;
    char text[48];
    std::snprintf(text, sizeof text, "(unknown_root_key:0x%x)\\",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(root)));
    return text;
}

CRegistry::~CRegistry() { CloseKey(); }

void CRegistry::OpenKey(HKEY root, const std::string& subKey, bool create) {
    CloseKey();
    HKEY key = nullptr;
    const LONG result =
        create ? RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key, nullptr)
               : RegOpenKeyExA(root, subKey.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (result != ERROR_SUCCESS)
        throw EIOError(*this, "Cannot open registry key: " + RootKeyName(root) + subKey);
    key_ = key;
}

void CRegistry::CloseKey() {
    if (key_) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
}

void CRegistry::RequireOpen() {
    if (!key_)
        throw EIOError(*this, "Registry key is not open");
}

CRegistry::ValueInfo CRegistry::QueryValue(const std::string& name) {
    RequireOpen();
    ValueInfo info;
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &info.type, nullptr, &info.size) !=
        ERROR_SUCCESS)
        throw EIOError(*this, "Error on registry query value: " + name);
    return info;
}

void CRegistry::RequireType(const std::string& name, const ValueInfo& info, DWORD type) {
    if (info.type != type || (type == REG_DWORD && info.size != sizeof(DWORD)))
        throw EIOError(*this, "Registry value type different: " + name);
}

void CRegistry::SetValue(const std::string& name, DWORD type, const void* data, DWORD size) {
    RequireOpen();
    if (RegSetValueExA(key_, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) !=
        ERROR_SUCCESS)
        throw EIOError(*this, "Error on registry set value: " + name);
}

int CRegistry::ReadBinary(const std::string& name, void* buffer, int bufferSize) {
    ValueInfo info = QueryValue(name);
    RequireType(name, info, REG_BINARY);
    if (bufferSize < 0 || info.size > DWORD(bufferSize))
        throw EIOError(*this, "Registry value binary size too big: " + name);
    DWORD size = DWORD(bufferSize);
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &info.type, static_cast<BYTE*>(buffer),
                         &size) != ERROR_SUCCESS)
        throw EIOError(*this, "Error on registry query value: " + name);
    return int(size);
}

void CRegistry::WriteBinary(const std::string& name, const void* data, int size) {
    SetValue(name, REG_BINARY, data, size > 0 ? DWORD(size) : 0);
}

std::uint32_t CRegistry::ReadInteger(const std::string& name) {
    ValueInfo info = QueryValue(name);
    RequireType(name, info, REG_DWORD);
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &info.type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS)
        throw EIOError(*this, "Error on registry query value: " + name);
    return value;
}

void CRegistry::WriteInteger(const std::string& name, std::uint32_t value) {
    const DWORD data = value;
    SetValue(name, REG_DWORD, &data, sizeof data);
}

std::string CRegistry::ReadString(const std::string& name) {
    ValueInfo info = QueryValue(name);
    RequireType(name, info, REG_SZ);
    // The value may change between the two queries: grow and ask again until it fits.
    std::vector<char> text(info.size + 1);
    for (;;) {
        DWORD size = DWORD(text.size());
        const LONG result = RegQueryValueExA(key_, name.c_str(), nullptr, &info.type,
                                             reinterpret_cast<BYTE*>(text.data()), &size);
        if (result == ERROR_MORE_DATA) {
            text.resize(size + 1);
            continue;
        }
        if (result != ERROR_SUCCESS)
            throw EIOError(*this, "Error on registry query value: " + name);
        text.resize(size);
        break;
    }
    // Stored strings may or may not carry their terminator.
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return std::string(text.begin(), text.end());
}

void CRegistry::WriteString(const std::string& name, const std::string& text) {
    SetValue(name, REG_SZ, text.c_str(), DWORD(text.size() + 1));
}

} // namespace vintara
