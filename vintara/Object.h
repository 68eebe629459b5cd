#pragma once

namespace vintara {

// Root of every library object.
class CObject {
public:
    virtual ~CObject() = default;
};

// Devices, sounds, locks, readers and lists are never copied; streams are duplicated with Clone().
class CNonCopyable : public virtual CObject {
public:
    CNonCopyable() = default;
    CNonCopyable(const CNonCopyable&) = delete;
    CNonCopyable& operator=(const CNonCopyable&) = delete;
};

// Root of the abstract interfaces; implementations also derive virtually from CObject.
class IInterface {
public:
    virtual ~IInterface() = default;
};

} // namespace vintara
