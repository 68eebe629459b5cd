#include "editor/script/CommandDialogValues.h"

#include "picture/FadeMasks.h"
#include "picture/RasterRoutines.h"

namespace miravo {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

} // namespace

std::string GraphicResult(std::string_view file, std::string_view fadeArguments) {
    return Quoted(file) + " " + std::string(fadeArguments);
}

std::string SoundResult(std::string_view file, std::optional<int> fadeIn) {
    std::string result = Quoted(file);
    if (fadeIn)
        result += " " + std::to_string(*fadeIn);
    return result;
}

std::string CharacterResult(std::string_view name, std::string_view file, VerticalPlacement v,
                            HorizontalPlacement h) {
    return Quoted(name) + " " + Quoted(file) + " " + std::string(PlacementKeyword(v)) + " " +
           std::string(PlacementKeyword(h));
}

CharacterOrigin CharacterOriginOf(int width, int height, VerticalPlacement v,
                                  HorizontalPlacement h) {
    CharacterOrigin origin;
    switch (v) {
    case VerticalPlacement::Top: origin.y = 0; break;
    case VerticalPlacement::Middle: origin.y = kFadeMaskHeight / 2 - height / 2; break;
    case VerticalPlacement::Bottom: origin.y = kFadeMaskHeight - height; break;
    }
    switch (h) {
    case HorizontalPlacement::Left: origin.x = 0; break;
    case HorizontalPlacement::Center: origin.x = kFadeMaskWidth / 2 - width / 2; break;
    case HorizontalPlacement::Right: origin.x = kFadeMaskWidth - width; break;
    }
    return origin;
}

CRaster ComposeCharacterPreview(const CRaster& background, const CPicture* character,
                                VerticalPlacement v, HorizontalPlacement h) {
    CRaster canvas = background;
    if (character == nullptr || character->raster.Empty())
        return canvas;
    const CRaster& picture = character->raster;
    const CharacterOrigin at = CharacterOriginOf(picture.Width(), picture.Height(), v, h);
    const PixelRect clip{0, 0, kFadeMaskWidth, kFadeMaskHeight};
    if (character->alpha)
        AlphaBlit(picture, character->alpha->Inverted(), canvas, clip, at.x, at.y);
    else
        ColorKeyBlit(picture, canvas, at.x, at.y, clip);
    return canvas;
}

std::vector<std::string> FontCommandLines(const FontFormValues& values) {
    std::vector<std::string> lines;
    if (values.changeFace)
        lines.push_back(FontTypeCommand(values.face));
    if (values.changeSize)
        lines.push_back(FontSizeCommand(values.size));
    if (values.changeColor)
        lines.push_back(FontColorCommand(RgbOf(values.color)));
    return lines;
}

bool NeedsSavedNovel(CommandDialog dialog) { return !ResultCommandWord(dialog).empty(); }

std::string_view ResultCommandWord(CommandDialog dialog) {
    switch (dialog) {
    case CommandDialog::GraphLoad: return ".GraphLoad ";
    case CommandDialog::CharSet: return ".CharSet ";
    case CommandDialog::SoundPlay: return ".SoundPlay ";
    case CommandDialog::BGMPlay: return ".BGMPlay ";
    case CommandDialog::MidiPlay: return ".MidiPlay ";
    default: return {};
    }
}

void CounterRange::CommitLow(int value, const NumberBounds& bounds) {
    low = bounds.Clamp(value);
    if (low > high)
        high = low;
}

void CounterRange::CommitHigh(int value, const NumberBounds& bounds) {
    high = bounds.Clamp(value);
    if (high < low)
        low = high;
}

} // namespace miravo
