#pragma once

#include "editor/widgets/Handles.h"
#include "vintara/Win32.h"

#include <commctrl.h>

namespace miravo {

// Images of the main tool bar, drawn here so that the program needs no image files:
// open, save, properties, test play.
enum ToolImage { kOpenImage, kSaveImage, kPropertyImage, kTestplayImage };
struct ImageListDeleter {
    void operator()(HIMAGELIST images) const { ImageList_Destroy(images); }
};
using ImageListHandle = UniqueHandle<HIMAGELIST, ImageListDeleter>;

ImageListHandle CreateToolImages();

} // namespace miravo
