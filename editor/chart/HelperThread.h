#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace miravo {

// A second thread that takes one task at a time while its owner does another, so that a repaint
// can use a second core without starting a thread each time. The thread starts on first use;
// where it cannot start, or the machine has one core, both tasks run on the caller.
class HelperThread {
public:
    // Without `useSecondCore` both tasks always run on the caller (to compare).
    explicit HelperThread(bool useSecondCore = true) : unavailable_(!useSecondCore) {}
    HelperThread(const HelperThread&) = delete;
    HelperThread& operator=(const HelperThread&) = delete;
    ~HelperThread();

    // Runs `theirs` on the helper and `ours` on the caller, and returns once both are done. An
    // exception from either (ours first) is thrown here once neither task runs any more.
    void RunAlongside(const std::function<void()>& theirs, const std::function<void()>& ours);

private:
    void Loop();
    bool Start();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const std::function<void()>* task_ = nullptr;
    std::exception_ptr error_;
    bool stopping_ = false;
    bool unavailable_ = false;
    std::thread thread_;
};

} // namespace miravo
