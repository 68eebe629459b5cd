#pragma once

#include "editor/widgets/Handles.h"

#include <string_view>

namespace miravo {

// Where a row's text starts inside its rectangle.
struct FileRowOffsets {
    int left = 4;
    int top = 1;
};
// The command dialogs' file lists: 16-pixel rows, text 4 pixels in and 1 down.
inline constexpr FileRowOffsets kCommandDialogFileRow{4, 1};
// The text-window dialog's list: 4 pixels in; the same 16-pixel rows and top.
inline constexpr FileRowOffsets kTextWindowFileRow{4, 1};

// Paints the rows of an owner-drawn list of novel-folder files (FolderFiles.h): the folder part
// (up to the last backslash) bold, the file name right after it in the list's own font.
class FileListRowPainter {
public:
    FileListRowPainter(HFONT regular, FileRowOffsets offsets);

    void Paint(HDC dc, const RECT& row, std::wstring_view entry, bool selected) const;
    // For WM_DRAWITEM of an owner-drawn list box: takes the item's text from the list.
    void Paint(const DRAWITEMSTRUCT& item) const;

private:
    HFONT regular_;
    FontHandle bold_;
    FileRowOffsets offsets_;
};

} // namespace miravo
