#pragma once

#include "vintara/Object.h"
#include "vintara/Win32.h"

#include <cstdint>
#include <string>

namespace vintara {

// One open registry key. Every failure raises EIOError with this object as its source.
class CRegistry : public CNonCopyable {
public:
    CRegistry() = default;
    ~CRegistry() override;

    // Closes any open key first. With `create` the key is created when missing.
    virtual void OpenKey(HKEY root, const std::string& subKey, bool create);
    virtual void CloseKey();
    // Reads REG_BINARY data into `buffer`; returns the number of bytes stored.
    virtual int ReadBinary(const std::string& name, void* buffer, int bufferSize);
    virtual void WriteBinary(const std::string& name, const void* data, int size);
    virtual std::uint32_t ReadInteger(const std::string& name);
    virtual void WriteInteger(const std::string& name, std::uint32_t value);
    virtual std::string ReadString(const std::string& name);
    // An empty name is the key's default value.
    virtual void WriteString(const std::string& name, const std::string& text);

private:
    // The stored type and size of a value; raises when it cannot be queried.
    struct ValueInfo {
        DWORD type = 0;
        DWORD size = 0;
    };
    ValueInfo QueryValue(const std::string& name);
    void RequireType(const std::string& name, const ValueInfo& info, DWORD type);
    void RequireOpen();
    void SetValue(const std::string& name, DWORD type, const void* data, DWORD size);

    HKEY key_ = nullptr;
};

// "HKEY_CLASSES_ROOT\" and its siblings; other handles as "(unknown_root_key:0x%x)\".
std::string RootKeyName(HKEY root);

} // namespace vintara
