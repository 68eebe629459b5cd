#pragma once

#include "editor/widgets/Handles.h"
#include "picture/Raster.h"
#include "vintara/Win32.h"

#include <commctrl.h>

#include <vector>

namespace miravo {

struct ImageListDeleter {
    void operator()(HIMAGELIST images) const { ImageList_Destroy(images); }
};
using ImageListHandle = UniqueHandle<HIMAGELIST, ImageListDeleter>;

// An image list of `size` x `size` pictures with their alpha (opaque where a picture has none),
// e.g. the built-in counter and text-window icons for the lists' rows. Pictures of another size
// are cut or padded at the bottom right.
ImageListHandle CreatePictureImageList(const std::vector<const CPicture*>& pictures, int size = 16);

} // namespace miravo
