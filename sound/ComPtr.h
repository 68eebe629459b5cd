#pragma once

#include <utility>

namespace vintara {

// Owns one reference of a COM interface.
template <class T> class TComPtr {
public:
    TComPtr() = default;
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    TComPtr(TComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    TComPtr& operator=(TComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ~TComPtr() { Reset(); }

    void Reset() {
        if (pointer_)
            std::exchange(pointer_, nullptr)->Release();
    }
    // For functions that hand out a new reference.
    T** Receive() {
        Reset();
        return &pointer_;
    }
    // Lets go of the reference without releasing it (it stays with the process).
    void Abandon() { pointer_ = nullptr; }
    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    T* pointer_ = nullptr;
};

} // namespace vintara
