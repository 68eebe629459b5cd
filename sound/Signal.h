#pragma once

#include "vintara/Object.h"

#include <condition_variable>
#include <mutex>

namespace vintara {

// A wake-up that is never lost: Set before the waiter waits still ends its next wait.
class CSignal : public CNonCopyable {
public:
    void Set();
    void Reset();
    // True when the signal was set (and takes it), false after `milliseconds` without.
    bool WaitFor(int milliseconds);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool set_ = false;
};

} // namespace vintara
