#pragma once

#include "editor/widgets/Handles.h"
#include "editor/widgets/Window.h"

#include <functional>
#include <string>
#include <string_view>

namespace miravo {

// One display row as the control drew it: its Shift-JIS text, where that text stands, and
// whether it starts a line (a wrapped line continues on rows that do not).
struct ScriptRow {
    std::string_view text;
    RECT rect{};
    bool startsLine = false;
};

// What the control tells its owner. A key handler that returns true has handled the key, and
// the control does not see it.
struct ScriptEditEvents {
    std::function<void()> caretMoved;
    std::function<void()> textChanged;
    std::function<bool(UINT virtualKey)> keyDown;
    std::function<void(HDC, const ScriptRow&)> rowDrawn;
};

// The script editing control: Scintilla's Win32 control behind exactly the services the item
// text editor uses, so that no window of the editor sends Scintilla messages. Text is Shift-JIS
// (code page 932) throughout; offsets and columns count bytes. Lines are the script's lines: a
// final line break starts no further line, so "a\r\nb\r\n" has two lines and the caret may
// stand on the row after them. Rows are display rows under word wrap.
class ScriptEditControl : public Window {
public:
    // Registers Scintilla's window class; the program calls it at start-up, Create calls it too.
    static void RegisterClasses();
    static void ReleaseResources();

    struct Args {
        HWND parent = nullptr;
        int id = 0;
        ScriptEditEvents events{};
    };
    void Create(const Args& args);
    HWND EditorHandle() const { return scintilla_; }

    // Line list access; inserting and putting are undoable, each one step.
    int LineCount() const;
    std::string Line(int index) const;
    void PutLine(int index, std::string_view text);
    void InsertLine(int index, std::string_view text);
    // Calls between these form one undo step.
    void BeginUndoStep();
    void EndUndoStep();

    // The whole text, lines joined by CR LF; setting it clears the undo history.
    std::string Text() const;
    void SetText(std::string_view text);

    // Caret and rows.
    int CaretRow() const;
    int CaretColumn() const;
    int RowToLine(int row) const;
    int LineToRow(int line) const; // the first display row of a line
    int RowColumnToOffset(int row, int column) const; // byte offset within the row's line
    void SetCaret(int row, int column);
    POINT CaretPoint() const; // client coordinates of the caret's row top

    // Selection over the whole text (byte offsets into Text()).
    int SelectionStart() const;
    int SelectionLength() const;
    void SetSelection(int start, int length);
    void ReplaceSelection(std::string_view text);

    int TopRow() const;
    void SetTopRow(int row);
    int LeftColumn() const;
    int VisibleRows() const;
    int RowHeight() const;
    int ColumnWidth() const; // of one byte column
    // Wraps at `columns` bytes; the horizontal scroll bar is shown when asked.
    void SetWrapColumns(int columns, bool horizontalScrollBar);
    int WrapColumns() const { return wrapColumns_; }

    void Cut();
    void Copy();
    void Paste();
    void SelectAll();
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    bool Modified() const;
    void ClearModified();
    bool Overwrite() const;
    void SetOverwrite(bool overwrite);
    void Focus() const { SetFocus(scintilla_); }
    HFONT Font() const { return font_.Get(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static LRESULT CALLBACK EditorProcedure(HWND handle, UINT message, WPARAM wParam,
                                            LPARAM lParam, UINT_PTR id, DWORD_PTR data);
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void ApplySettings();
    void StyleRange(int start, int end);
    void DrawRows(HDC dc);
    int RowStart(int row) const; // document position where a display row starts
    int RowEnd(int row) const;
    std::string TextRange(int start, int end) const;
    int InnerLineCount() const; // Scintilla's lines, the empty one after a final break included
    void LayoutEditor();

    HWND scintilla_ = nullptr;
    ScriptEditEvents events_;
    FontHandle font_;
    int wrapColumns_ = 0;
    bool swallowChar_ = false; // the key handler took the key that makes the next character
};

} // namespace miravo
