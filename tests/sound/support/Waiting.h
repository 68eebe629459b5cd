#pragma once

#include <chrono>
#include <thread>

namespace soundtest {

// Polls until `condition` holds or `seconds` have passed; the generous limits of the tests are
// deadlines against hangs, not expectations of speed.
template <class Condition> bool WaitUntil(Condition condition, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace soundtest
