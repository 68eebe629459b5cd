#pragma once

#include "novel/NovelData.h"
#include "picture/FadeEffector.h"
#include "picture/FadeMasks.h"
#include "picture/Raster.h"
#include "runtime/PlayerEffects.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The 640 x 480 picture of the scene: the background with its fills, the characters and the
// text window's picture, changing through the same fades as the editor's preview. Text is drawn
// over it by the window. Pictures with an alpha channel are laid through it, others through the
// colour key of their top-left pixel.
namespace miravo::runtime {

inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;

class Stage {
public:
    // A picture by the name the script gives (Shift-JIS); none when it cannot be read.
    using PictureSource = std::function<std::optional<CPicture>(const std::string& name)>;

    explicit Stage(PictureSource pictures, MillisecondClock clock = SteadyMillisecondClock());

    void LoadBackground(const std::string& file, const ResolvedFade& fade);
    void Fill(Rgb colour, int opacity, const ResolvedFade& fade);
    void SetCharacter(const std::string& name, const std::string& file, VerticalPlacement v,
                      HorizontalPlacement h, const ResolvedFade& fade);
    void DeleteCharacter(const std::string& name, const ResolvedFade& fade);
    void ClearCharacters(const ResolvedFade& fade);
    // The picture of the text window (shown at once); null hides it.
    void SetTextWindow(const CTextWindow* window);

    bool Fading() const { return fading_; }
    void Tick(); // one step of the running fade
    void FinishFade();

    // The scene as shown now, with the text window's picture over it.
    const CRaster& Screen();

private:
    struct Character {
        std::string name;
        CPicture picture;
        VerticalPlacement vertical;
        HorizontalPlacement horizontal;
    };
    void Compose(CRaster& scene) const;
    void Change(const ResolvedFade& fade);

    PictureSource pictures_;
    CRaster base_; // the background and its fills
    std::vector<Character> characters_;
    std::optional<CPicture> windowPicture_;
    VerticalPlacement windowVertical_ = VerticalPlacement::Middle;
    HorizontalPlacement windowHorizontal_ = HorizontalPlacement::Center;
    CRaster shown_; // the scene as the screen shows it now
    CRaster from_;
    CRaster to_;
    CRaster screen_;
    TFadeEffector effector_;
    CPresetFadeMasks masks_;
    bool fading_ = false;
};

// Where a picture of this size goes on the screen for the placement keywords.
void PlaceOnScreen(int width, int height, VerticalPlacement v, HorizontalPlacement h, int& x,
                   int& y);
// Lays a picture onto the screen raster at (x, y): through its alpha, or its colour key.
void LayPicture(const CPicture& picture, CRaster& screen, int x, int y);

} // namespace miravo::runtime
