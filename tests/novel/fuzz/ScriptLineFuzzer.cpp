// Any bytes as a script line: the word split, the command word and the marker strip never read
// outside the line and never invent bytes.
#include "novel/CommandParser.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace miravo;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    std::size_t wordBytes = 0;
    const std::vector<std::string> words = SplitCommandWords(line);
    for (const std::string& word : words)
        wordBytes += word.size();
    if (wordBytes > size || (size > 0 && words.empty()))
        std::abort();
    if (StripTextMarkers(line).size() > size || CommandWord(line).size() > size)
        std::abort();
    (void)IsKnownCommand(line);
    return 0;
}
