// Any bytes as the JSON form: a message naming the problem, or a novel whose JSON form reads
// back as the same novel.
#include "tools/mvtool/NovelJson.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace miravo;
    CNovelModel model;
    try {
        NovelFromJson(std::string_view(reinterpret_cast<const char*>(data), size), model);
    } catch (const JsonFormError&) {
        return 0;
    }
    const std::string json = NovelToJson(model);
    CNovelModel again;
    NovelFromJson(json, again);
    if (!(again == model) || NovelToJson(again) != json)
        std::abort();
    return 0;
}
