#pragma once

#include "picture/BuiltinPictures.h"
#include "picture/Raster.h"
#include "vintara/Win32.h"

namespace miravo {

// One of the editor's built-in pictures from the resources of `module` (the program when
// null), read into a raster; the icons come with their alpha. PictureError when the resource is
// missing or unreadable.
CPicture LoadBuiltinPicture(BuiltinPicture picture, HMODULE module = nullptr);

} // namespace miravo
