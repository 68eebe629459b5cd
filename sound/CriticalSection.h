#pragma once

#include "vintara/Object.h"

#include <memory>

namespace vintara {

// A lock: a Win32 critical section on Windows, std::mutex natively. Usable with std::lock_guard.
class CCriticalSection : public CNonCopyable {
public:
    CCriticalSection();
    ~CCriticalSection() override;

    virtual void Enter();
    virtual void Leave();

    void lock() { Enter(); }
    void unlock() { Leave(); }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace vintara
