#include "editor/widgets/Hint.h"

namespace miravo {

namespace {
constexpr const wchar_t* kHintProperty = L"Miravo.HintSource";
}

void AttachHintSource(HWND window, const HintSource* source) {
    SetPropW(window, kHintProperty, const_cast<HintSource*>(source));
}

std::wstring_view LongHint(std::wstring_view hint) {
    const std::size_t bar = hint.find(L'|');
    return bar == std::wstring_view::npos ? hint : hint.substr(bar + 1);
}

std::wstring LongHintAt(HWND window, POINT screen) {
    for (HWND current = window; current != nullptr;) {
        if (const auto* source = static_cast<const HintSource*>(GetPropW(current, kHintProperty))) {
            POINT client = screen;
            ScreenToClient(current, &client);
            if (const std::wstring hint = source->HintAt(client); !hint.empty()) {
                return std::wstring(LongHint(hint));
            }
        }
        // Hints are looked up within one top-level window.
        if (!(GetWindowLongW(current, GWL_STYLE) & WS_CHILD)) {
            break;
        }
        current = GetParent(current);
    }
    return {};
}

} // namespace miravo
