#include "sound/Signal.h"

#include <chrono>

namespace vintara {

void CSignal::Set() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    changed_.notify_all();
}

void CSignal::Reset() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

bool CSignal::WaitFor(int milliseconds) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return set_; }))
        return false;
    set_ = false;
    return true;
}

} // namespace vintara
