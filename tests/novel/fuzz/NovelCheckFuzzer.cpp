// Any novel the reader accepts, checked against a folder that answers every kind of lookup:
// the check must never crash, and every finding must name a real item and line.
#include "tests/novel/RecordingInteraction.h"

#include "novel/EditorError.h"
#include "novel/NovelCheck.h"
#include "novel/NovelDocument.h"

#include <cstdlib>

namespace {
class AnyFolder : public miravo::ICheckedFolder {
public:
    miravo::FileLookup Look(std::string_view name) override {
        const auto state = static_cast<miravo::FileLookupState>(name.size() % 4);
        return {state, state == miravo::FileLookupState::CaseDiffers ? std::string(name) : ""};
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace miravo;
    CNovelModel model;
    test::RecordingInteraction ui;
    try {
        if (ParseNovel(model, std::string_view(reinterpret_cast<const char*>(data), size), ui) ==
            NovelLoadResult::Rejected)
            return 0;
    } catch (const EditorError&) {
        return 0;
    }
    AnyFolder folder;
    for (const CheckFinding& finding : CheckNovel(model, &folder)) {
        if (finding.message.empty() || finding.itemIndex >= model.Items.Count())
            std::abort();
        if (finding.itemIndex >= 0 &&
            (finding.itemName != model.Items[finding.itemIndex].Name ||
             finding.line > static_cast<int>(model.Items[finding.itemIndex].Text.size())))
            std::abort();
    }
    return 0;
}
