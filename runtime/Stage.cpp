#include "runtime/Stage.h"

#include "picture/RasterRoutines.h"
#include "runtime/ScriptCommand.h"

#include <algorithm>

namespace miravo::runtime {
namespace {

constexpr PixelRect kScreenRect{0, 0, kScreenWidth, kScreenHeight};

} // namespace

void PlaceOnScreen(int width, int height, VerticalPlacement v, HorizontalPlacement h, int& x,
                   int& y) {
    switch (v) {
    case VerticalPlacement::Top: y = 0; break;
    case VerticalPlacement::Middle: y = (kScreenHeight - height) / 2; break;
    case VerticalPlacement::Bottom: y = kScreenHeight - height; break;
    }
    switch (h) {
    case HorizontalPlacement::Left: x = 0; break;
    case HorizontalPlacement::Center: x = (kScreenWidth - width) / 2; break;
    case HorizontalPlacement::Right: x = kScreenWidth - width; break;
    }
}

void LayPicture(const CPicture& picture, CRaster& screen, int x, int y) {
    if (picture.raster.Empty())
        return;
    if (picture.alpha)
        AlphaBlit(picture.raster, picture.alpha->Inverted(), screen, kScreenRect, x, y);
    else
        ColorKeyBlit(picture.raster, screen, x, y, kScreenRect);
}

Stage::Stage(PictureSource pictures, MillisecondClock clock)
    : pictures_(std::move(pictures)), base_(kScreenWidth, kScreenHeight),
      shown_(kScreenWidth, kScreenHeight), effector_(std::move(clock)) {}

void Stage::Compose(CRaster& scene) const {
    scene = base_;
    for (const Character& character : characters_) {
        int x = 0, y = 0;
        PlaceOnScreen(character.picture.raster.Width(), character.picture.raster.Height(),
                      character.vertical, character.horizontal, x, y);
        LayPicture(character.picture, scene, x, y);
    }
}

void Stage::Change(const ResolvedFade& fade) {
    FinishFade();
    from_ = shown_;
    Compose(to_);
    effector_.SetDestination(&shown_);
    effector_.SetFromPicture(&from_);
    effector_.SetToPicture(&to_);
    if (fade.speed > 0 &&
        ShowPreview(effector_, masks_, fade.effect, fade.variation, fade.speed, "BLEND")) {
        fading_ = true;
        return;
    }
    shown_ = to_;
}

void Stage::LoadBackground(const std::string& file, const ResolvedFade& fade) {
    base_ = CRaster(kScreenWidth, kScreenHeight);
    if (const std::optional<CPicture> picture = pictures_(file)) {
        const CRaster& raster = picture->raster;
        CopyRect(raster, base_,
                 PixelRect{0, 0, std::min(raster.Width(), kScreenWidth) - 1,
                           std::min(raster.Height(), kScreenHeight) - 1});
    }
    Change(fade);
}

void Stage::Fill(Rgb colour, int opacity, const ResolvedFade& fade) {
    TranslucentFill(base_, kScreenRect,
                    std::uint32_t(colour.red) | std::uint32_t(colour.green) << 8 |
                        std::uint32_t(colour.blue) << 16,
                    opacity);
    Change(fade);
}

void Stage::SetCharacter(const std::string& name, const std::string& file, VerticalPlacement v,
                         HorizontalPlacement h, const ResolvedFade& fade) {
    std::optional<CPicture> picture = pictures_(file);
    Character character{name, picture ? std::move(*picture) : CPicture{}, v, h};
    const auto same = std::find_if(characters_.begin(), characters_.end(),
                                   [&](const Character& c) { return c.name == name; });
    if (same != characters_.end())
        *same = std::move(character);
    else
        characters_.push_back(std::move(character));
    Change(fade);
}

void Stage::DeleteCharacter(const std::string& name, const ResolvedFade& fade) {
    if (std::erase_if(characters_, [&](const Character& c) { return c.name == name; }) > 0)
        Change(fade);
}

void Stage::ClearCharacters(const ResolvedFade& fade) {
    if (characters_.empty())
        return;
    characters_.clear();
    Change(fade);
}

void Stage::SetTextWindow(const CTextWindow* window) {
    windowPicture_.reset();
    if (!window || window->GraphicFile.empty())
        return;
    windowPicture_ = pictures_(window->GraphicFile);
    windowVertical_ = VerticalPlacementOf(window->VAlign).value_or(VerticalPlacement::Middle);
    windowHorizontal_ = HorizontalPlacementOf(window->HAlign).value_or(HorizontalPlacement::Center);
}

void Stage::Tick() {
    if (fading_ && effector_.Step())
        FinishFade();
}

void Stage::FinishFade() {
    if (!fading_)
        return;
    fading_ = false;
    shown_ = to_;
}

const CRaster& Stage::Screen() {
    screen_ = shown_;
    if (windowPicture_) {
        int x = 0, y = 0;
        PlaceOnScreen(windowPicture_->raster.Width(), windowPicture_->raster.Height(),
                      windowVertical_, windowHorizontal_, x, y);
        LayPicture(*windowPicture_, screen_, x, y);
    }
    return screen_;
}

} // namespace miravo::runtime
