#pragma once

#include "novel/EditorError.h"
#include "picture/Raster.h"

#include <cstdint>
#include <vector>

// The alpha-mask blend of the fade effects: every pixel moves from the from-picture to the
// to-picture when the transition passes its mask level, softened over `edge` levels.
namespace miravo {

// Raised with the two texts of the blend ("DibAlphaMaskInit: ..." / "DibAlphaMaskBlendOptimal:
// ...").
class FadeBlendError : public EditorError {
public:
    using EditorError::EditorError;
};

// The pictures of one transition, copied so that the blend reads them row after row without
// padding: the to- and from-pictures three bytes a pixel, the mask one byte (its first, blue,
// byte) a pixel. Each effector owns its own, so two previews never overwrite each other's.
struct CFadeWorkBuffers {
    int toWidth = 0, toHeight = 0;
    int fromWidth = 0, fromHeight = 0;
    int maskWidth = 0, maskHeight = 0;
    std::vector<std::uint8_t> to, from, mask;
};

// Replaces the buffers by copies of the three pictures. The to-picture's width must be a
// multiple of 4 (whole 4-byte words a row); otherwise FadeBlendError
// "DibAlphaMaskInit: DIBの幅は4の倍数でなければなりません w=<width>".
void DibAlphaMaskInit(CFadeWorkBuffers& buffers, const CRaster& to, const CRaster& from,
                      const CRaster& mask);

// Blends the buffers at `percent` (clamped to 0..100) with an edge of `edge` levels (0..255)
// into `destination`. Per channel (to * wTo[m] + from * wFrom[m]) >> 8, with the weights of mask
// level m from count = percent * (edge + 256) / 100. At 100 % the destination is the to-picture.
// The pictures, the mask and the destination must agree in size; otherwise FadeBlendError
// "DibAlphaMaskBlendOptimal: ソースDIBサイズが一致していません". Allocates nothing.
void DibAlphaMaskBlendOptimal(const CFadeWorkBuffers& buffers, int edge, int percent,
                              CRaster& destination);

// The weight of the from-picture (0..255) for each mask level; wTo = 256 - this.
struct FadeWeights {
    std::uint8_t from[256];
};
FadeWeights FadeBlendWeights(int edge, int percent);

} // namespace miravo
