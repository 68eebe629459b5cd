// Any bytes as an alpha-1 novel file: a clear error or items that save as a novel file.
#include "tests/novel/RecordingInteraction.h"

#include "novel/EditorError.h"
#include "novel/NovelDocument.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace miravo;
    CNovelModel model;
    try {
        ParseAlphaNovel(model, std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const EditorError&) {
        return 0;
    }
    CNovelModel again;
    test::RecordingInteraction ui;
    if (ParseNovel(again, SerializeNovel(model), ui) != NovelLoadResult::Loaded ||
        !(again.Items == model.Items))
        std::abort();
    return 0;
}
