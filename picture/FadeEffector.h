#pragma once

#include "picture/FadeBlend.h"
#include "picture/Raster.h"

#include <cstdint>
#include <functional>
#include <string_view>

// Runs one fade transition over time: from the from-picture to the to-picture through the mask,
// into the destination. The fade dialog's preview drives it every 10 ms; the player runtime can
// do the same.
namespace miravo {

// Milliseconds of a clock that only moves forward; tests inject their own.
using MillisecondClock = std::function<std::int64_t()>;
MillisecondClock SteadyMillisecondClock();

class TFadeEffector {
public:
    explicit TFadeEffector(MillisecondClock clock = SteadyMillisecondClock());

    // The pictures are not owned and must outlive their use; `Prepare` copies them.
    void SetDestination(CRaster* destination) { destination_ = destination; }
    void SetFromPicture(const CRaster* from) { from_ = from; }
    void SetToPicture(const CRaster* to) { to_ = to; }
    const CRaster* FromPicture() const { return from_; }
    const CRaster* ToPicture() const { return to_; }
    void SwapPictures() { std::swap(from_, to_); }

    void SetEdgeWidth(int edge);
    int EdgeWidth() const { return edge_; }
    // A duration below 1 ms counts as 1 ms: a novel's header can hold 0, which must not divide.
    void SetDuration(int milliseconds) { duration_ = milliseconds; }
    int Duration() const { return duration_; }

    // Converts `picture` into the mask, then Prepare and Restart.
    void SetMask(const CRaster& picture);
    // No mask: the effect names no mask picture. Step then leaves the destination as it is.
    void ClearMask();
    bool HasMask() const { return hasMask_; }

    void Restart();
    // Copies the pictures and the mask into the blend's buffers (FadeBlendError on a width that
    // is not a multiple of 4). Without a mask or a picture it does nothing.
    void Prepare();
    // Blends min(p, 100) % into the destination, p = elapsed * 100 / duration; true once p > 100.
    // Without a mask nothing is drawn and the transition never finishes.
    bool Step();

private:
    MillisecondClock clock_;
    CRaster mask_;
    bool hasMask_ = false;
    bool prepared_ = false;
    CRaster* destination_ = nullptr;
    const CRaster* from_ = nullptr;
    const CRaster* to_ = nullptr;
    std::int64_t start_ = 0;
    int edge_ = 24;
    int duration_ = 1500;
    CFadeWorkBuffers buffers_;
};

} // namespace miravo

namespace miravo {

class CPresetFadeMasks;

// Sets the effector up for one effect choice: a type below 1 takes the novel's default effect
// `defaultName`; the mask of the type and variation (none for the standard effect, which then
// leaves the preview still), the type's edge width and `speed` as the duration. True when a mask
// was set.
bool ShowPreview(TFadeEffector& effector, CPresetFadeMasks& masks, int type, int variation,
                 int speed, std::string_view defaultName);

} // namespace miravo
