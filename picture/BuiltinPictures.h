#pragma once

#include <array>
#include <string_view>

// The editor's own pictures, painted by tools/picturegen at build time and embedded in the
// program as RCDATA resources holding PNG files. One table names them for the generator, the
// resource script it writes, and the loader.
namespace miravo {

enum class BuiltinPicture {
    SampleScreen,   // 640 x 480 background of the character and text-window previews
    FadeSampleA,    // 640 x 480 picture the fade preview starts from
    FadeSampleB,    // 640 x 480 picture it fades to
    CounterIcon,    // 16 x 16 with alpha
    TextWindowIcon, // 16 x 16 with alpha
    ChartMarkIcon,  // 16 x 16 with alpha: the chart's mark glyph
};

struct BuiltinPictureName {
    BuiltinPicture picture;
    std::wstring_view resource; // RCDATA name
    std::string_view file;      // the PNG file the generator writes
};

inline constexpr std::array<BuiltinPictureName, 6> kBuiltinPictures{{
    {BuiltinPicture::SampleScreen, L"SAMPLE_SCREEN", "sample_screen.png"},
    {BuiltinPicture::FadeSampleA, L"FADE_SAMPLE_A", "fade_sample_a.png"},
    {BuiltinPicture::FadeSampleB, L"FADE_SAMPLE_B", "fade_sample_b.png"},
    {BuiltinPicture::CounterIcon, L"ICON_COUNTER", "icon_counter.png"},
    {BuiltinPicture::TextWindowIcon, L"ICON_TEXT_WINDOW", "icon_text_window.png"},
    {BuiltinPicture::ChartMarkIcon, L"ICON_CHART_MARK", "icon_chart_mark.png"},
}};

constexpr const BuiltinPictureName& NameOf(BuiltinPicture picture) {
    return kBuiltinPictures[static_cast<std::size_t>(picture)];
}

} // namespace miravo
