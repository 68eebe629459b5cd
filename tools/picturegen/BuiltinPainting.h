#pragma once

#include "picture/BuiltinPictures.h"
#include "tools/samplegen/Raster.h"

// The editor's built-in pictures, painted with the sample generator's drawing surface.
namespace miravo::picturegen {

samplegen::Image Paint(BuiltinPicture picture);
bool HasAlpha(BuiltinPicture picture);

} // namespace miravo::picturegen
