#include "editor/shell/ThemeLevel.h"

namespace miravo {

namespace {

template <class Function> Function Lookup(const LibraryHandle& library, const char* name) {
    return library ? reinterpret_cast<Function>(
                         reinterpret_cast<void*>(GetProcAddress(library.Get(), name)))
                   : nullptr;
}

} // namespace

ThemeDetector::ThemeDetector()
    : uxTheme_(LoadLibraryW(L"uxtheme.dll")), dwmApi_(LoadLibraryW(L"DWMApi.dll")) {
    using IsThemeActiveFunction = BOOL(WINAPI*)();
    using CompositionFunction = HRESULT(WINAPI*)(BOOL*);
    const auto isThemeActive = Lookup<IsThemeActiveFunction>(uxTheme_, "IsThemeActive");
    const auto isComposition = Lookup<CompositionFunction>(dwmApi_, "DwmIsCompositionEnabled");
    const bool themed = isThemeActive != nullptr && isThemeActive() != FALSE;
    BOOL composition = FALSE;
    const bool composed =
        isComposition != nullptr && SUCCEEDED(isComposition(&composition)) && composition;
    if (dwmApi_ && composed) {
        level_ = 3;
    } else if (dwmApi_ && themed) {
        level_ = 2;
    } else if (themed) {
        level_ = 1;
    }
}

} // namespace miravo
