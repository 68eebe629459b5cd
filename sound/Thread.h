#pragma once

#include "vintara/Object.h"

#include <functional>
#include <memory>

namespace vintara {

// A thread that is joined, never terminated: Join (and the destructor) return only after the
// thread has ended. On Windows the thread holds a reference on the module that contains this
// code until its very last instruction, so a host that unloads the library while a sound plays
// cannot pull the code from under the thread (the library then goes when its threads are done).
class CThread : public CNonCopyable {
public:
    enum class Priority { Normal, AboveNormal, Highest };

    CThread();
    ~CThread() override;

    // Starts `body` on a new thread; false when no thread can be created. A thread started
    // earlier must have been joined.
    bool Start(std::function<void()> body, Priority priority);
    void Join();
    // Lets go of a thread known to run none of this code any more, without waiting for it
    // (one that is ending may wait for a lock its waiter holds).
    void Forget();
    bool Joinable() const { return state_ != nullptr; }

    struct State;

private:
    std::unique_ptr<State> state_;
};

} // namespace vintara
