#include "novel/CommandStrings.h"

#include "novel/NovelData.h"

namespace miravo {
namespace {

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    quoted += text;
    quoted += '"';
    return quoted;
}

std::string WithNumbers(std::string line, std::initializer_list<int> numbers) {
    for (int number : numbers) {
        line += ' ';
        line += std::to_string(number);
    }
    return line;
}

} // namespace

std::string FadeArguments(const FadeChoice& fade) {
    if (fade.effect < 1 || fade.effect >= kFadeEffectCount)
        return {};
    std::string text = WithNumbers(std::string(FadeEffectKeyword(fade.effect)), {fade.variation});
    if (fade.speed >= 0)
        text = WithNumbers(std::move(text), {fade.speed});
    return text;
}

std::string_view PlacementKeyword(VerticalPlacement placement) {
    switch (placement) {
    case VerticalPlacement::Top: return "TOP";
    case VerticalPlacement::Middle: return "MIDDLE";
    case VerticalPlacement::Bottom: return "BOTTOM";
    }
    return "MIDDLE";
}

std::string_view PlacementKeyword(HorizontalPlacement placement) {
    switch (placement) {
    case HorizontalPlacement::Left: return "LEFT";
    case HorizontalPlacement::Center: return "CENTER";
    case HorizontalPlacement::Right: return "RIGHT";
    }
    return "CENTER";
}

Rgb RgbOf(std::uint32_t colorRef) {
    return Rgb{int(colorRef & 0xFF), int(colorRef >> 8 & 0xFF), int(colorRef >> 16 & 0xFF)};
}

std::string NextPageCommand() { return ".NextPage"; }
std::string WaitCommand(int milliseconds) { return WithNumbers(".Wait", {milliseconds}); }

std::string GraphLoadCommand(std::string_view file, const FadeChoice& fade) {
    return ".GraphLoad " + Quoted(file) + " " + FadeArguments(fade);
}

std::string GraphFillCommand(Rgb color, std::optional<int> opacity, const FadeChoice& fade) {
    return WithNumbers(".GraphFill", {color.red, color.green, color.blue, opacity.value_or(100)}) +
           " " + FadeArguments(fade);
}

std::string CharSetCommand(std::string_view name, std::string_view file, VerticalPlacement vertical,
                           HorizontalPlacement horizontal) {
    return ".CharSet " + Quoted(name) + " " + Quoted(file) + " " +
           std::string(PlacementKeyword(vertical)) + " " +
           std::string(PlacementKeyword(horizontal));
}

std::string CharDeleteCommand(std::string_view name) { return ".CharDelete " + Quoted(name); }
std::string CharClearCommand() { return ".CharClear"; }
std::string WindowSetCommand(std::string_view window) { return ".WindowSet " + Quoted(window); }
std::string WindowHideCommand() { return ".WindowHide"; }
std::string LinkWindowSetCommand(std::string_view window) {
    return ".LinkWindowSet " + Quoted(window);
}
std::string LinkWindowDefaultCommand() { return ".LinkWindowDefault"; }

std::string BGMPlayCommand(std::string_view file, std::optional<int> fadeInMilliseconds) {
    std::string line = ".BGMPlay " + Quoted(file);
    if (fadeInMilliseconds)
        line = WithNumbers(std::move(line), {*fadeInMilliseconds});
    return line;
}
std::string BGMStopCommand() { return ".BGMStop"; }
std::string BGMFadeoutCommand(int milliseconds) {
    return WithNumbers(".BGMFadeout", {milliseconds});
}
std::string SoundPlayCommand(std::string_view file) { return ".SoundPlay " + Quoted(file); }
std::string SoundStopCommand() { return ".SoundStop"; }
std::string MidiPlayCommand(std::string_view file) { return ".MidiPlay " + Quoted(file); }
std::string MidiStopCommand() { return ".MidiStop"; }
std::string MidiFadeoutCommand(int milliseconds) {
    return WithNumbers(".MidiFadeout", {milliseconds});
}

std::string CounterSetCommand(std::string_view counter, int value) {
    return WithNumbers(".CounterSet " + Quoted(counter), {value});
}
std::string CounterPlusCommand(std::string_view counter, int amount) {
    return WithNumbers(".CounterPlus " + Quoted(counter), {amount});
}
std::string CounterRndSetCommand(std::string_view counter, int low, int high) {
    return WithNumbers(".CounterRndSet " + Quoted(counter), {low, high});
}
std::string CounterRndPlusCommand(std::string_view counter, int low, int high) {
    return WithNumbers(".CounterRndPlus " + Quoted(counter), {low, high});
}

std::string FontTypeCommand(FontFace face) {
    return face == FontFace::Gothic ? ".FontType GOTHIC" : ".FontType MINCHO";
}
std::string FontSizeCommand(int dots) { return WithNumbers(".FontSize", {dots}); }
std::string FontColorCommand(Rgb color) {
    return WithNumbers(".FontColor", {color.red, color.green, color.blue});
}
std::string FontDefaultCommand() { return ".FontDefault"; }

} // namespace miravo
