#include "editor/chart/HelperThread.h"

#include <system_error>

namespace miravo {

HelperThread::~HelperThread() {
    if (thread_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
}

bool HelperThread::Start() {
    if (thread_.joinable()) {
        return true;
    }
    if (unavailable_ || std::thread::hardware_concurrency() < 2) {
        unavailable_ = true;
        return false;
    }
    try {
        thread_ = std::thread([this] { Loop(); });
    } catch (const std::system_error&) {
        unavailable_ = true;
        return false;
    }
    return true;
}

void HelperThread::Loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || task_ != nullptr; });
        if (task_ == nullptr) {
            return;
        }
        const std::function<void()>& task = *task_;
        lock.unlock();
        std::exception_ptr error;
        try {
            task();
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        error_ = error;
        task_ = nullptr;
        done_.notify_one();
    }
}

void HelperThread::RunAlongside(const std::function<void()>& theirs,
                                const std::function<void()>& ours) {
    if (!Start()) {
        ours();
        theirs();
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        task_ = &theirs;
        error_ = nullptr;
    }
    wake_.notify_one();
    std::exception_ptr ourError;
    try {
        ours();
    } catch (...) {
        ourError = std::current_exception();
    }
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return task_ == nullptr; });
    const std::exception_ptr theirError = error_;
    lock.unlock();
    if (ourError) {
        std::rethrow_exception(ourError);
    }
    if (theirError) {
        std::rethrow_exception(theirError);
    }
}

} // namespace miravo
