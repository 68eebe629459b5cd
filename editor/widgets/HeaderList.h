#pragma once

#include "editor/widgets/Controls.h"
#include "vintara/Win32.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace miravo {

// Window class of the header-and-list, for dialog templates:
//   CONTROL "", IDC_X, "MiravoHeaderList", WS_TABSTOP | WS_BORDER, x, y, w, h
// Sections, rows and options are then given through THeaderList.
inline constexpr const wchar_t* kHeaderListClass = L"MiravoHeaderList";

// Notifications (HIWORD of WM_COMMAND's wParam).
inline constexpr WORD HLN_SELCHANGE = 0x4E21;   // another row was selected
inline constexpr WORD HLN_DBLCLK = 0x4E22;      // a row was double-clicked
inline constexpr WORD HLN_DELETEKEY = 0x4E23;   // Delete was pressed in the list
inline constexpr WORD HLN_CHECKCHANGE = 0x4E24; // a row's check box was toggled (click, space)
inline constexpr WORD HLN_RESIZED = 0x4E25;     // a section was resized

// A header section: its caption and width, with the narrowest and widest it may be dragged to
// (maxWidth 0: no limit). Sections are not clickable.
struct HeaderSection {
    std::wstring caption{};
    int width = 80;
    int minWidth = 0;
    int maxWidth = 0;
};

// Text of a cell in runs, each bold or in the list's font, drawn one after another.
struct TextRun {
    std::wstring text{};
    bool bold = false;
};

enum class CellAlign { Left, Right };

// What one section shows in a row: an optional icon of the list's image list, then the runs.
// The content starts `indent` pixels inside the section (from its right edge when right-aligned)
// and the text `top` pixels below the row's top; everything is clipped to the section.
struct ListCell {
    std::vector<TextRun> runs{};
    int icon = -1;
    CellAlign align = CellAlign::Left;
    int indent = 4;
    int top = 2;
};

// A row: one cell per section, in section order (missing cells are empty).
struct ListRow {
    std::vector<ListCell> cells{};
};

// Asked for a row's content whenever the row is painted, so a list can show a table of the
// model directly instead of a copy.
using RowSource = std::function<ListRow(int row)>;

// For a painter of its own: the row's rectangle and index, the sections' rectangles, the fonts.
struct RowPaintArgs {
    HDC dc = nullptr;
    int row = 0;
    RECT rect{};
    std::vector<RECT> sections{};
    bool selected = false;
    HFONT regular = nullptr;
    HFONT bold = nullptr;
};
using RowPainter = std::function<void(const RowPaintArgs&)>;

struct HeaderListArgs {
    HWND parent = nullptr;
    int id = 0;
    int x = 0;
    int y = 0;
    int width = 200;
    int height = 120;
    std::vector<HeaderSection> sections{};
    int rowHeight = 18;
    bool gridLines = false;      // in the button-shadow colour, between sections and rows
    bool checkBoxes = false;     // a check box at the start of the first section
    HIMAGELIST images = nullptr; // not owned
    HFONT font = nullptr;
    std::wstring hint{};
};

// The header-with-owner-drawn-list control of the counters list, the text-window list and the
// item text editor's link list: a header with sections above a list of fixed-height rows that
// paints its rows from plain data (or through a painter of the caller's). While a section
// divider is dragged an inverted guide line follows it across the list, kept within the
// section's limits; on release the section takes the width and the list repaints.
class THeaderList : public Control {
public:
    void Create(const HeaderListArgs& args);
    // Applies the options of `args` other than placement to a control a template made.
    void Setup(const HeaderListArgs& args);

    void SetSections(const std::vector<HeaderSection>& sections);
    int SectionCount() const;
    int SectionWidth(int section) const;
    void SetSectionWidth(int section, int width); // kept within the section's limits

    // The rows as a copy, or as a source asked while painting. Both keep the selection when it
    // is still a row, and repaint.
    void SetRows(std::vector<ListRow> rows);
    void SetRowSource(int count, RowSource source);
    // Changes the number of rows only (rows are added or removed at the end), and repaints.
    void SetRowCount(int count);
    int RowCount() const;
    void SetRowPainter(RowPainter painter);

    int Selected() const; // -1 when no row is
    void Select(int row); // -1 clears
    bool Checked(int row) const;
    void SetChecked(int row, bool checked);

    HWND HeaderHandle() const;
    HWND ListHandle() const;
    RECT RowRect(int row) const; // in the list's client coordinates
    // Where the guide line stands while a divider is dragged, in the list's coordinates; -1 when
    // no drag is on.
    int GuideLine() const;
};

} // namespace miravo
