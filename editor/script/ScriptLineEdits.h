#pragma once

#include <string>
#include <string_view>

// The line arithmetic of the item text editor's insertions, over the editor's line list: tested
// without a window, and run by the window on its script editing control.
namespace miravo {

// The script's lines as the editing control holds them (Shift-JIS, no line breaks). A final line
// break starts no further line; the caret may stand on the row after the last line.
class IScriptLines {
public:
    virtual ~IScriptLines() = default;
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, std::string_view text) = 0;
    virtual void Insert(int index, std::string_view text) = 0;
};

// Where `CommandOut` puts a command line: before the caret's line when the caret stands at column
// 0 of its row, after it otherwise. The caret then goes to column 0 of the line after the new
// one, so that several calls in a row give their lines in call order. Returns that line.
int InsertCommandLine(IScriptLines& lines, int caretLine, bool caretAtColumnZero,
                      std::string_view text);

// Ctrl+Enter: a click wait "@" at byte `offset` of line `line` (an offset on a character
// boundary, so a double-byte character is never split). On the row after the last line it is a
// line of its own; at a line's end the line takes it and an empty line follows; inside a line
// the line is cut after the mark and the rest follows as a new line (the byte at the offset is
// kept). Returns the line the caret goes to: the start of the line after the marked one, or,
// when the last line was marked, the row after the lines.
int InsertClickWait(IScriptLines& lines, int line, int offset);

} // namespace miravo
