#include "editor/widgets/ScriptEditControl.h"

#include "novel/ScriptKeywords.h"

#include <commctrl.h>
#include <scintilla/Scintilla.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace miravo {

namespace {

constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kAqua = RGB(0, 255, 255);
constexpr int kStyleText = STYLE_DEFAULT;
constexpr int kStyleKeyword = 1;
constexpr int kLeftMargin = 8;
constexpr int kTopMargin = 2;
constexpr int kLineGap = 1;
constexpr int kFontHeight = 12;
constexpr char kEndOfTextMark[] = "[EOF]";
// Scintilla takes colours with alpha; opaque.
constexpr LPARAM Opaque(COLORREF colour) { return static_cast<LPARAM>(colour | 0xFF000000u); }

} // namespace

void ScriptEditControl::RegisterClasses() {
    // Registered once for the process; Scintilla refuses a second registration.
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), L"Scintilla", &existing) != FALSE) {
        return;
    }
    if (Scintilla_RegisterClasses(GetModuleHandleW(nullptr)) == 0) {
        throw std::runtime_error("Scintilla_RegisterClasses failed");
    }
}

void ScriptEditControl::ReleaseResources() { Scintilla_ReleaseResources(); }

void ScriptEditControl::Create(const Args& args) {
    RegisterClasses();
    // The host paints the navy strip above the rows (the control has no top margin of its own)
    // and receives the control's notifications, so that they stay inside this widget.
    static const HBRUSH navy = CreateSolidBrush(kNavy);
    RegisterWindowClass({.name = L"MiravoScriptEdit", .background = navy});
    events_ = args.events;
    Window::Create({.className = L"MiravoScriptEdit",
                    .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP,
                    .x = 0,
                    .y = 0,
                    .width = 100,
                    .height = 100,
                    .parent = args.parent,
                    .menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id))});
    scintilla_ = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0,
                                 kTopMargin, 100, 100, Handle(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (scintilla_ == nullptr) {
        throw std::runtime_error("the script editing control could not be created");
    }
    SetWindowSubclass(scintilla_, &ScriptEditControl::EditorProcedure, 1,
                      reinterpret_cast<DWORD_PTR>(this));
    font_.Reset(CreateFontW(-kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"FixedSys"));
    ApplySettings();
    LayoutEditor();
}

LRESULT ScriptEditControl::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(scintilla_, message, wParam, lParam);
}

void ScriptEditControl::ApplySettings() {
    Send(SCI_SETCODEPAGE, 932);
    Send(SCI_STYLESETFONT, kStyleText, reinterpret_cast<LPARAM>("FixedSys"));
    // Sizes are points; 9 points are 12 pixels at the usual 96 dots per inch.
    Send(SCI_STYLESETSIZEFRACTIONAL, kStyleText, kFontHeight * 72 * SC_FONT_SIZE_MULTIPLIER / 96);
    Send(SCI_STYLESETCHARACTERSET, kStyleText, SC_CHARSET_SHIFTJIS);
    Send(SCI_STYLESETFORE, kStyleText, kWhite);
    Send(SCI_STYLESETBACK, kStyleText, kNavy);
    Send(SCI_STYLECLEARALL);
    Send(SCI_STYLESETFORE, kStyleKeyword, kYellow);
    Send(SCI_STYLESETBACK, kStyleKeyword, kNavy);
    Send(SCI_SETELEMENTCOLOUR, SC_ELEMENT_SELECTION_TEXT, Opaque(kNavy));
    Send(SCI_SETELEMENTCOLOUR, SC_ELEMENT_SELECTION_BACK, Opaque(kWhite));
    Send(SCI_SETELEMENTCOLOUR, SC_ELEMENT_SELECTION_ADDITIONAL_TEXT, Opaque(kNavy));
    Send(SCI_SETELEMENTCOLOUR, SC_ELEMENT_SELECTION_ADDITIONAL_BACK, Opaque(kWhite));
    Send(SCI_SETELEMENTCOLOUR, SC_ELEMENT_SELECTION_SECONDARY_TEXT, Opaque(kNavy));
    Send(SCI_SETELEMENTCOLOUR, SC_ELEMENT_SELECTION_SECONDARY_BACK, Opaque(kWhite));
    Send(SCI_SETELEMENTCOLOUR, SC_ELEMENT_SELECTION_INACTIVE_TEXT, Opaque(kNavy));
    Send(SCI_SETELEMENTCOLOUR, SC_ELEMENT_SELECTION_INACTIVE_BACK, Opaque(kWhite));
    Send(SCI_SETELEMENTCOLOUR, SC_ELEMENT_CARET, Opaque(kWhite));
    for (int margin = 0; margin < SC_MAX_MARGIN; ++margin) {
        Send(SCI_SETMARGINWIDTHN, margin, 0);
    }
    Send(SCI_SETMARGINLEFT, 0, kLeftMargin);
    Send(SCI_SETEXTRADESCENT, kLineGap);
    Send(SCI_SETEOLMODE, SC_EOL_CRLF);
    // Wrapping counts bytes, so a row may end in the middle of a word.
    Send(SCI_SETWRAPMODE, SC_WRAP_CHAR);
    Send(SCI_SETHSCROLLBAR, FALSE);
    Send(SCI_SETSCROLLWIDTHTRACKING, FALSE);
    // The view may scroll past the last line, so that the vertical scroll bar is always there.
    Send(SCI_SETENDATLASTLINE, FALSE);
    Send(SCI_SETUNDOCOLLECTION, TRUE);
    Send(SCI_SETVIRTUALSPACEOPTIONS, SCVS_NONE);
    Send(SCI_SETTABINDENTS, FALSE);
    Send(SCI_SETMULTIPLESELECTION, FALSE);
    Send(SCI_SETCARETLINEVISIBLE, FALSE);
    // The dot is part of a word, so that ".GRAPHLOAD" is one word (double-click selects it).
    Send(SCI_SETWORDCHARS, 0,
         reinterpret_cast<LPARAM>(
             "_.0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    // Redo is Shift+Ctrl+Z as well as Ctrl+Y.
    Send(SCI_ASSIGNCMDKEY, 'Z' + ((SCMOD_CTRL | SCMOD_SHIFT) << 16), SCI_REDO);
    // The control's own popup would bypass the window's edit commands.
    Send(SCI_USEPOPUP, SC_POPUP_NEVER);
    // Reserved words are styled here, as the text needs it (no lexer library).
    Send(SCI_SETILEXER, 0, 0);
    Send(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT);
}

void ScriptEditControl::LayoutEditor() {
    RECT client{};
    GetClientRect(Handle(), &client);
    SetWindowPos(scintilla_, nullptr, 0, kTopMargin, client.right,
                 std::max<int>(client.bottom - kTopMargin, 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScriptEditControl::SetWrapColumns(int columns, bool horizontalScrollBar) {
    wrapColumns_ = columns;
    RECT client{};
    GetClientRect(scintilla_, &client);
    // Rows wrap at the text area's right edge: a right margin narrows it to the wanted width.
    const int textWidth = kLeftMargin + columns * ColumnWidth();
    Send(SCI_SETMARGINRIGHT, 0, std::max<LPARAM>(client.right - textWidth, 0));
    Send(SCI_SETHSCROLLBAR, horizontalScrollBar);
    if (horizontalScrollBar) {
        Send(SCI_SETSCROLLWIDTH, textWidth);
    }
}

void ScriptEditControl::StyleRange(int start, int end) {
    const int firstLine = static_cast<int>(Send(SCI_LINEFROMPOSITION, start));
    const int lastLine = static_cast<int>(Send(SCI_LINEFROMPOSITION, end));
    for (int line = firstLine; line <= lastLine; ++line) {
        const int lineStart = static_cast<int>(Send(SCI_POSITIONFROMLINE, line));
        const std::string text = Line(line);
        Send(SCI_STARTSTYLING, lineStart);
        Send(SCI_SETSTYLING, static_cast<WPARAM>(Send(SCI_LINELENGTH, line)), kStyleText);
        for (const KeywordRun& run : KeywordRuns(text)) {
            Send(SCI_STARTSTYLING, lineStart + static_cast<int>(run.start));
            Send(SCI_SETSTYLING, run.length, kStyleKeyword);
        }
    }
}

int ScriptEditControl::InnerLineCount() const { return static_cast<int>(Send(SCI_GETLINECOUNT)); }

int ScriptEditControl::LineCount() const {
    const int lines = InnerLineCount();
    const int lastStart = static_cast<int>(Send(SCI_POSITIONFROMLINE, lines - 1));
    return lastStart == static_cast<int>(Send(SCI_GETLENGTH)) ? lines - 1 : lines;
}

std::string ScriptEditControl::Line(int index) const {
    if (index < 0 || index >= InnerLineCount()) {
        return {};
    }
    const auto start = Send(SCI_POSITIONFROMLINE, index);
    const auto end = Send(SCI_GETLINEENDPOSITION, index);
    return TextRange(static_cast<int>(start), static_cast<int>(end));
}

std::string ScriptEditControl::TextRange(int start, int end) const {
    std::string buffer(static_cast<std::size_t>(std::max(end - start, 0)) + 1, '\0');
    Sci_TextRangeFull range{{start, end}, buffer.data()};
    Send(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<LPARAM>(&range));
    buffer.pop_back();
    return buffer;
}

void ScriptEditControl::PutLine(int index, std::string_view text) {
    if (index < 0 || index >= LineCount()) {
        return;
    }
    Send(SCI_SETTARGETRANGE, Send(SCI_POSITIONFROMLINE, index),
         Send(SCI_GETLINEENDPOSITION, index));
    Send(SCI_REPLACETARGET, text.size(), reinterpret_cast<LPARAM>(text.data()));
}

void ScriptEditControl::InsertLine(int index, std::string_view text) {
    const int count = LineCount();
    index = std::clamp(index, 0, count);
    std::string inserted(text);
    LRESULT at = 0;
    if (index < count) {
        at = Send(SCI_POSITIONFROMLINE, index);
        inserted += "\r\n";
    } else {
        at = Send(SCI_GETLENGTH);
        // After a last line without its break, the new line needs one before it.
        if (count > 0 && InnerLineCount() == count) {
            inserted.insert(0, "\r\n");
        } else {
            inserted += "\r\n";
        }
    }
    Send(SCI_INSERTTEXT, at, reinterpret_cast<LPARAM>(inserted.c_str()));
}

void ScriptEditControl::BeginUndoStep() { Send(SCI_BEGINUNDOACTION); }
void ScriptEditControl::EndUndoStep() { Send(SCI_ENDUNDOACTION); }

std::string ScriptEditControl::Text() const {
    const auto length = static_cast<std::size_t>(Send(SCI_GETLENGTH));
    std::string text(length + 1, '\0');
    Send(SCI_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void ScriptEditControl::SetText(std::string_view text) {
    const std::string copy(text);
    Send(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
    Send(SCI_EMPTYUNDOBUFFER);
    Send(SCI_SETSAVEPOINT);
}

int ScriptEditControl::RowStart(int row) const {
    const int line = static_cast<int>(Send(SCI_DOCLINEFROMVISIBLE, row));
    const int lineStart = static_cast<int>(Send(SCI_POSITIONFROMLINE, line));
    const int subLine = row - static_cast<int>(Send(SCI_VISIBLEFROMDOCLINE, line));
    if (subLine <= 0) {
        return lineStart;
    }
    const int lineEnd = static_cast<int>(Send(SCI_GETLINEENDPOSITION, line));
    const int height = RowHeight();
    const auto top = Send(SCI_POINTYFROMPOSITION, 0, lineStart);
    for (int pos = lineStart; pos < lineEnd;
         pos = static_cast<int>(Send(SCI_POSITIONAFTER, pos))) {
        if ((Send(SCI_POINTYFROMPOSITION, 0, pos) - top) / height >= subLine) {
            return pos;
        }
    }
    return lineEnd;
}

int ScriptEditControl::RowEnd(int row) const {
    const int line = static_cast<int>(Send(SCI_DOCLINEFROMVISIBLE, row));
    const int lineEnd = static_cast<int>(Send(SCI_GETLINEENDPOSITION, line));
    const int nextRowLine = static_cast<int>(Send(SCI_DOCLINEFROMVISIBLE, row + 1));
    return nextRowLine == line && row + 1 < static_cast<int>(Send(SCI_VISIBLEFROMDOCLINE,
                                                                  line + 1))
               ? RowStart(row + 1)
               : lineEnd;
}

int ScriptEditControl::CaretRow() const {
    const auto pos = Send(SCI_GETCURRENTPOS);
    const auto line = Send(SCI_LINEFROMPOSITION, pos);
    const auto top = Send(SCI_POINTYFROMPOSITION, 0, Send(SCI_POSITIONFROMLINE, line));
    const auto subLine = (Send(SCI_POINTYFROMPOSITION, 0, pos) - top) / RowHeight();
    return static_cast<int>(Send(SCI_VISIBLEFROMDOCLINE, line) + subLine);
}

int ScriptEditControl::CaretColumn() const {
    return static_cast<int>(Send(SCI_GETCURRENTPOS)) - RowStart(CaretRow());
}

int ScriptEditControl::RowToLine(int row) const {
    return static_cast<int>(Send(SCI_DOCLINEFROMVISIBLE, row));
}

int ScriptEditControl::LineToRow(int line) const {
    return static_cast<int>(Send(SCI_VISIBLEFROMDOCLINE, line));
}

int ScriptEditControl::RowColumnToOffset(int row, int column) const {
    const int line = RowToLine(row);
    const int lineStart = static_cast<int>(Send(SCI_POSITIONFROMLINE, line));
    const int pos = std::min(RowStart(row) + column, RowEnd(row));
    return pos - lineStart;
}

void ScriptEditControl::SetCaret(int row, int column) {
    const int pos = std::min(RowStart(row) + std::max(column, 0), RowEnd(row));
    Send(SCI_GOTOPOS, pos);
}

POINT ScriptEditControl::CaretPoint() const {
    const auto pos = Send(SCI_GETCURRENTPOS);
    POINT point{static_cast<LONG>(Send(SCI_POINTXFROMPOSITION, 0, pos)),
                static_cast<LONG>(Send(SCI_POINTYFROMPOSITION, 0, pos))};
    MapWindowPoints(scintilla_, Handle(), &point, 1);
    return point;
}

int ScriptEditControl::SelectionStart() const {
    return static_cast<int>(Send(SCI_GETSELECTIONSTART));
}

int ScriptEditControl::SelectionLength() const {
    return static_cast<int>(Send(SCI_GETSELECTIONEND) - Send(SCI_GETSELECTIONSTART));
}

void ScriptEditControl::SetSelection(int start, int length) {
    Send(SCI_SETSEL, start, start + length);
}

void ScriptEditControl::ReplaceSelection(std::string_view text) {
    const std::string copy(text);
    Send(SCI_REPLACESEL, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

int ScriptEditControl::TopRow() const { return static_cast<int>(Send(SCI_GETFIRSTVISIBLELINE)); }
void ScriptEditControl::SetTopRow(int row) { Send(SCI_SETFIRSTVISIBLELINE, std::max(row, 0)); }
int ScriptEditControl::LeftColumn() const {
    return static_cast<int>(Send(SCI_GETXOFFSET)) / std::max(ColumnWidth(), 1);
}
int ScriptEditControl::VisibleRows() const { return static_cast<int>(Send(SCI_LINESONSCREEN)); }
int ScriptEditControl::RowHeight() const {
    return std::max(static_cast<int>(Send(SCI_TEXTHEIGHT, 0)), 1);
}
int ScriptEditControl::ColumnWidth() const {
    return std::max(static_cast<int>(Send(SCI_TEXTWIDTH, kStyleText,
                                          reinterpret_cast<LPARAM>("0"))),
                    1);
}

void ScriptEditControl::Cut() { Send(SCI_CUT); }
void ScriptEditControl::Copy() { Send(SCI_COPY); }
void ScriptEditControl::Paste() { Send(SCI_PASTE); }
void ScriptEditControl::SelectAll() { Send(SCI_SELECTALL); }
void ScriptEditControl::Undo() { Send(SCI_UNDO); }
void ScriptEditControl::Redo() { Send(SCI_REDO); }
bool ScriptEditControl::CanUndo() const { return Send(SCI_CANUNDO) != 0; }
bool ScriptEditControl::CanRedo() const { return Send(SCI_CANREDO) != 0; }
bool ScriptEditControl::Modified() const { return Send(SCI_GETMODIFY) != 0; }
void ScriptEditControl::ClearModified() { Send(SCI_SETSAVEPOINT); }
bool ScriptEditControl::Overwrite() const { return Send(SCI_GETOVERTYPE) != 0; }
void ScriptEditControl::SetOverwrite(bool overwrite) { Send(SCI_SETOVERTYPE, overwrite); }

void ScriptEditControl::DrawRows(HDC dc) {
    const int first = TopRow();
    const int height = RowHeight();
    const int rows = VisibleRows() + 1;
    const int inner = InnerLineCount();
    const int lastRow = static_cast<int>(Send(SCI_VISIBLEFROMDOCLINE, inner - 1)) +
                        static_cast<int>(Send(SCI_WRAPCOUNT, inner - 1)) - 1;
    const HGDIOBJ oldFont = SelectObject(dc, font_.Get());
    PenHandle silver(CreatePen(PS_SOLID, 1, kSilver));
    const HGDIOBJ oldPen = SelectObject(dc, silver.Get());
    for (int row = first; row < first + rows && row <= lastRow; ++row) {
        const int start = RowStart(row);
        const int end = RowEnd(row);
        const int line = RowToLine(row);
        const int x = static_cast<int>(Send(SCI_POINTXFROMPOSITION, 0, start));
        const int y = static_cast<int>(Send(SCI_POINTYFROMPOSITION, 0, start));
        if (events_.rowDrawn) {
            const std::string text = TextRange(start, end);
            const ScriptRow shown{
                .text = text,
                .rect = {x, y, x + static_cast<int>(end - start) * ColumnWidth(), y + height},
                .startsLine = start == Send(SCI_POSITIONFROMLINE, line)};
            events_.rowDrawn(dc, shown);
        }
        // A line that has a break ends in a small silver arrow pointing down.
        if (end == Send(SCI_GETLINEENDPOSITION, line) && line < inner - 1) {
            const int markX = static_cast<int>(Send(SCI_POINTXFROMPOSITION, 0, end)) + 3;
            const int top = y + 2;
            const int bottom = y + height - kLineGap - 2;
            MoveToEx(dc, markX, top, nullptr);
            LineTo(dc, markX, bottom);
            MoveToEx(dc, markX - 3, bottom - 3, nullptr);
            LineTo(dc, markX, bottom);
            LineTo(dc, markX + 4, bottom - 4);
        }
    }
    SelectObject(dc, oldPen);
    // The end-of-text mark after the last line.
    const auto length = Send(SCI_GETLENGTH);
    const int x = static_cast<int>(Send(SCI_POINTXFROMPOSITION, 0, length));
    const int y = static_cast<int>(Send(SCI_POINTYFROMPOSITION, 0, length));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kAqua);
    TextOutA(dc, x, y, kEndOfTextMark, sizeof kEndOfTextMark - 1);
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK ScriptEditControl::EditorProcedure(HWND handle, UINT message, WPARAM wParam,
                                                    LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<ScriptEditControl*>(data);
    switch (message) {
    case WM_PAINT: {
        const LRESULT result = DefSubclassProc(handle, message, wParam, lParam);
        const HDC dc = GetDC(handle);
        RECT client{};
        GetClientRect(handle, &client);
        IntersectClipRect(dc, 0, 0, client.right, client.bottom);
        try {
            self->DrawRows(dc);
        } catch (...) {
            // A painter never throws: a row left undecorated is redrawn with the next paint.
        }
        ReleaseDC(handle, dc);
        return result;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        self->swallowChar_ = false;
        if (self->events_.keyDown && self->events_.keyDown(static_cast<UINT>(wParam))) {
            // The character the key makes (Ctrl+H's backspace, Ctrl+Enter's line feed, Tab) is
            // no text either.
            self->swallowChar_ = true;
            return 0;
        }
        break;
    case WM_CHAR:
    case WM_SYSCHAR:
        if (std::exchange(self->swallowChar_, false)) {
            return 0;
        }
        break;
    case WM_MOUSEWHEEL: {
        const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        SendMessageW(handle, SCI_LINESCROLL, 0, -delta * 3 / WHEEL_DELTA);
        return 0;
    }
    default: break;
    }
    return DefSubclassProc(handle, message, wParam, lParam);
}

LRESULT ScriptEditControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: LayoutEditor(); return 0;
    case WM_SETFOCUS: SetFocus(scintilla_); return 0;
    case WM_NOTIFY: {
        const auto* notice = reinterpret_cast<const SCNotification*>(lParam);
        if (notice->nmhdr.hwndFrom != scintilla_) {
            break;
        }
        switch (notice->nmhdr.code) {
        case SCN_STYLENEEDED:
            StyleRange(static_cast<int>(Send(SCI_GETENDSTYLED)),
                       static_cast<int>(notice->position));
            break;
        case SCN_UPDATEUI:
            if ((notice->updated & SC_UPDATE_SELECTION) != 0 && events_.caretMoved) {
                events_.caretMoved();
            }
            break;
        case SCN_MODIFIED:
            if ((notice->modificationType & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) != 0 &&
                events_.textChanged) {
                events_.textChanged();
            }
            break;
        default: break;
        }
        return 0;
    }
    default: break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

} // namespace miravo
