#include "editor/script/ScriptLineEdits.h"

#include <algorithm>

namespace miravo {

int InsertCommandLine(IScriptLines& lines, int caretLine, bool caretAtColumnZero,
                      std::string_view text) {
    const int at = std::clamp(caretAtColumnZero ? caretLine : caretLine + 1, 0, lines.Count());
    lines.Insert(at, text);
    return at + 1;
}

int InsertClickWait(IScriptLines& lines, int line, int offset) {
    const int count = lines.Count();
    if (line >= count) {
        lines.Insert(count, "@");
        return count + 1;
    }
    const std::string text = lines.Get(line);
    const auto cut = static_cast<std::size_t>(std::clamp(offset, 0, static_cast<int>(text.size())));
    lines.Put(line, text.substr(0, cut) + "@");
    lines.Insert(line + 1, std::string_view(text).substr(cut));
    // After the last line the caret stays below the new line, where the insertion left it.
    return line == count - 1 ? line + 2 : line + 1;
}

} // namespace miravo
