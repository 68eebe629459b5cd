#include "editor/widgets/BuiltinPictureResource.h"

#include "picture/PictureError.h"
#include "picture/PictureReaders.h"

#include <string>

namespace miravo {

CPicture LoadBuiltinPicture(BuiltinPicture picture, HMODULE module) {
    const BuiltinPictureName& name = NameOf(picture);
    const std::wstring resource(name.resource);
    const std::string label(name.file);
    const HRSRC found = FindResourceW(module, resource.c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        throw PictureError("組み込みの画像 \"" + label + "\" がプログラムにありません.");
    return ReadPng(std::string_view(static_cast<const char*>(bytes), SizeofResource(module, found)),
                   label);
}

} // namespace miravo
