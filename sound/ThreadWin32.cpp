// Threads of the Windows build: CreateThread, with a module reference for the thread's life.
#include "sound/Thread.h"

#include "vintara/DiagnosticLog.h"
#include "vintara/Win32.h"

namespace vintara {
namespace {

int WinPriority(CThread::Priority priority) {
    switch (priority) {
    case CThread::Priority::Highest: return THREAD_PRIORITY_HIGHEST;
    case CThread::Priority::AboveNormal: return THREAD_PRIORITY_ABOVE_NORMAL;
    default: return THREAD_PRIORITY_NORMAL;
    }
}

} // namespace

struct CThread::State {
    std::function<void()> body;
    int priority = THREAD_PRIORITY_NORMAL;
    HMODULE module = nullptr; // the reference the thread drops as it exits
    HANDLE thread = nullptr;
};

namespace {

DWORD WINAPI ThreadMain(void* parameter) {
    auto* state = static_cast<CThread::State*>(parameter);
    SetThreadPriority(GetCurrentThread(), state->priority);
    try {
        state->body();
    } catch (...) {
        // A body must not throw; if one does anyway, the thread still ends in order.
    }
    // The module's reference keeps this code mapped up to here; FreeLibraryAndExitThread drops
    // it without returning into the module.
    FreeLibraryAndExitThread(state->module, 0);
}

} // namespace

CThread::CThread() = default;

CThread::~CThread() { Join(); }

bool CThread::Start(std::function<void()> body, Priority priority) {
    Join();
    auto state = std::make_unique<State>();
    state->body = std::move(body);
    state->priority = WinPriority(priority);
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(&ThreadMain), &state->module)) {
        VINTARA_LOG_WIN32_FAILURE();
        return false;
    }
    state->thread = CreateThread(nullptr, 0, ThreadMain, state.get(), 0, nullptr);
    if (!state->thread) {
        VINTARA_LOG_WIN32_FAILURE();
        FreeLibrary(state->module);
        return false;
    }
    state_ = std::move(state);
    return true;
}

void CThread::Forget() {
    if (!state_)
        return;
    CloseHandle(state_->thread);
    state_.reset();
}

void CThread::Join() {
    if (!state_)
        return;
    WaitForSingleObject(state_->thread, INFINITE);
    CloseHandle(state_->thread);
    state_.reset();
}

} // namespace vintara
