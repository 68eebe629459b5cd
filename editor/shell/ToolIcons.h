#pragma once

#include "editor/widgets/Handles.h"
#include "editor/widgets/PictureImages.h"
#include "vintara/Win32.h"

#include <commctrl.h>

namespace miravo {

// Images of the tool bars, drawn here so that the program needs no image files: the main tool
// bar's open, save, properties and test play; the chart's new item, delete, size, mark and move;
// the settings window's new, delete and edit (new and delete shared with the chart).
enum ToolImage {
    kOpenImage,
    kSaveImage,
    kPropertyImage,
    kTestplayImage,
    kNewImage,
    kDeleteImage,
    kEditImage,
    kResizeImage,
    kMarkImage,
    kMoveImage,
    kToolImageCount
};

ImageListHandle CreateToolImages();

} // namespace miravo
