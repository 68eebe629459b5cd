// Threads of the native build (tests, sanitizers): std::thread.
#include "sound/Thread.h"

#include <thread>

namespace vintara {

struct CThread::State {
    std::thread thread;
};

CThread::CThread() = default;

CThread::~CThread() { Join(); }

bool CThread::Start(std::function<void()> body, Priority) {
    Join();
    auto state = std::make_unique<State>();
    try {
        state->thread = std::thread(std::move(body));
    } catch (const std::system_error&) {
        return false;
    }
    state_ = std::move(state);
    return true;
}

void CThread::Forget() {
    if (!state_)
        return;
    state_->thread.detach();
    state_.reset();
}

void CThread::Join() {
    if (!state_)
        return;
    state_->thread.join();
    state_.reset();
}

} // namespace vintara
