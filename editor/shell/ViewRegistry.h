#pragma once

#include <algorithm>
#include <map>
#include <typeindex>
#include <utility>
#include <vector>

namespace miravo {

// The windows that show the document, registered by what they show: each concern declares a
// small view interface (IChartView, ICurrentItemView, ...), a window implements the ones it
// shows and registers for them, and an operation notifies the interface it changed. Adding a
// refresh point so touches the operation and the window that shows it. Notification order is
// registration order; a view that throws stops the notification and the operation decides.
class ViewRegistry {
public:
    // Held by the window; unregisters when it goes.
    class Registration {
    public:
        Registration() = default;
        Registration(Registration&& other) noexcept { *this = std::move(other); }
        Registration& operator=(Registration&& other) noexcept {
            if (this != &other) {
                Reset();
                registry_ = std::exchange(other.registry_, nullptr);
                type_ = other.type_;
                view_ = other.view_;
            }
            return *this;
        }
        ~Registration() { Reset(); }
        void Reset() {
            if (registry_ != nullptr) {
                std::exchange(registry_, nullptr)->Remove(type_, view_);
            }
        }

    private:
        friend class ViewRegistry;
        Registration(ViewRegistry* registry, std::type_index type, void* view)
            : registry_(registry), type_(type), view_(view) {}

        ViewRegistry* registry_ = nullptr;
        std::type_index type_ = typeid(void);
        void* view_ = nullptr;
    };

    ViewRegistry() = default;
    ViewRegistry(const ViewRegistry&) = delete;
    ViewRegistry& operator=(const ViewRegistry&) = delete;

    template <class View> [[nodiscard]] Registration Add(View& view) {
        views_[typeid(View)].push_back(&view);
        return Registration(this, typeid(View), &view);
    }

    // Calls `method` on every view of that kind.
    template <class View, class... Params, class... Args>
    void Notify(void (View::*method)(Params...), Args&&... args) {
        for (void* view : Of<View>()) {
            (static_cast<View*>(view)->*method)(args...);
        }
    }

    // The first view of that kind, for the few questions an operation asks a window (the
    // chart's scroll position); nullptr when none is registered.
    template <class View> View* First() const {
        const auto found = views_.find(typeid(View));
        return found == views_.end() || found->second.empty()
                   ? nullptr
                   : static_cast<View*>(found->second.front());
    }

private:
    // A copy: a view may register or go while it is notified.
    template <class View> std::vector<void*> Of() const {
        const auto found = views_.find(typeid(View));
        return found == views_.end() ? std::vector<void*>{} : found->second;
    }
    void Remove(std::type_index type, void* view) {
        auto& list = views_[type];
        list.erase(std::remove(list.begin(), list.end(), view), list.end());
    }

    std::map<std::type_index, std::vector<void*>> views_;
};

} // namespace miravo
