#include "editor/script/ListIcons.h"

#include "editor/widgets/BuiltinPictureResource.h"

#include <exception>

namespace miravo {

ImageListHandle CreateListIcons() {
    try {
        const CPicture counter = LoadBuiltinPicture(BuiltinPicture::CounterIcon);
        const CPicture window = LoadBuiltinPicture(BuiltinPicture::TextWindowIcon);
        return CreatePictureImageList({&counter, &window}, kListIconSize);
    } catch (const std::exception&) {
        return {};
    }
}

void DrawListIcon(HDC dc, HIMAGELIST icons, ListIcon icon, int x, int y) {
    if (icons != nullptr) {
        ImageList_Draw(icons, icon, dc, x, y, ILD_TRANSPARENT);
    }
}

} // namespace miravo
