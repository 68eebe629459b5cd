#include "novel/ScriptKeywords.h"

#include "novel/CommandParser.h"
#include "novel/ShiftJis.h"

namespace miravo {

namespace {

bool IsWordByte(unsigned char byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
           (byte >= 'a' && byte <= 'z') || byte == '_' || byte == '.';
}

} // namespace

std::vector<KeywordRun> KeywordRuns(std::string_view line) {
    std::vector<KeywordRun> runs;
    std::size_t i = 0;
    while (i < line.size()) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (byte == ';' || byte == '@') {
            runs.push_back({i, 1});
            ++i;
        } else if (IsWordByte(byte)) {
            const std::size_t start = i;
            while (i < line.size() && IsWordByte(static_cast<unsigned char>(line[i]))) {
                ++i;
            }
            if (IsKeyword(line.substr(start, i - start))) {
                runs.push_back({start, i - start});
            }
        } else {
            i += sjis::CharLength(line, i);
        }
    }
    return runs;
}

} // namespace miravo
