#pragma once

#include <memory>
#include <stdexcept>
#include <typeindex>
#include <utility>
#include <vector>

namespace miravo {

// The program's windows and dialogs, one object of each class, held in creation order and
// found by class: the composition that the main sequence builds once and that the main window
// and tests look windows up in, instead of a member for each window.
class WindowRegistry {
public:
    WindowRegistry() = default;
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;
    ~WindowRegistry() { DestroyAll(); }

    template <class W, class... Args> W& Add(Args&&... args) {
        auto window = std::make_unique<W>(std::forward<Args>(args)...);
        W& added = *window;
        entries_.push_back(
            {typeid(W), Holder(window.release(), [](void* p) { delete static_cast<W*>(p); })});
        return added;
    }

    template <class W> W* Find() const {
        for (const Entry& entry : entries_) {
            if (entry.type == typeid(W)) {
                return static_cast<W*>(entry.window.get());
            }
        }
        return nullptr;
    }
    template <class W> W& Get() const {
        if (W* window = Find<W>()) {
            return *window;
        }
        throw std::logic_error("a window that was never created was asked for");
    }

    // In creation order: the frame comes first and takes its children's windows with it, so
    // that their objects then find their windows gone.
    void DestroyAll() {
        for (Entry& entry : entries_) {
            entry.window.reset();
        }
        entries_.clear();
    }

private:
    using Holder = std::unique_ptr<void, void (*)(void*)>;
    struct Entry {
        std::type_index type;
        Holder window;
    };
    std::vector<Entry> entries_;
};

} // namespace miravo
