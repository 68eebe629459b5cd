// Any bytes as a novel file: a clear error or a model that saves and reads back as itself; also
// what a damaged file leaves (the editor and mvtool resave --salvage save it).
#include "tests/novel/RecordingInteraction.h"

#include "novel/EditorError.h"
#include "novel/NovelDocument.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace miravo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CNovelModel model;
    test::RecordingInteraction ui;
    try {
        if (ParseNovel(model, bytes, ui) == NovelLoadResult::Rejected)
            return 0;
    } catch (const EditorError&) {
        return 0;
    }
    const std::string saved = SerializeNovel(model); // also sets Version to 9
    CNovelModel again;
    test::RecordingInteraction quiet;
    if (ParseNovel(again, saved, quiet) != NovelLoadResult::Loaded || !(again == model) ||
        !quiet.messages.empty())
        std::abort();
    return 0;
}
