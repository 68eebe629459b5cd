#include "editor/check/NovelCheckOperations.h"

#include "editor/script/ItemTextOperations.h"
#include "editor/shell/EditorSession.h"

namespace miravo {

std::vector<CheckFinding> NovelCheckOperations::Run() {
    const EditorState& state = session_.State();
    if (state.currentItem >= 0 && state.currentItem < session_.Model().Items.Count())
        session_.Views().Notify(&ICurrentItemView::StoreToItem);
    if (!state.hasFileName)
        return CheckNovel(session_.Model(), nullptr);
    DiskCheckedFolder folder(state.currentFilePath.parent_path());
    return CheckNovel(session_.Model(), &folder);
}

std::optional<CheckPlace> NovelCheckOperations::PlaceOf(const CheckFinding& finding) const {
    if (finding.itemIndex < 0)
        return std::nullopt;
    const CNovelItems& items = session_.Model().Items;
    int index = finding.itemIndex;
    if (index >= items.Count() || items[index].Name != finding.itemName)
        index = items.IndexOf(finding.itemName);
    if (index < 0)
        return std::nullopt;
    return CheckPlace{index, finding.line};
}

bool NovelCheckOperations::GoTo(const CheckFinding& finding) {
    const std::optional<CheckPlace> place = PlaceOf(finding);
    if (!place)
        return false;
    session_.Chart().SelectItem(place->itemIndex);
    if (place->line > 0)
        session_.Views().Notify(&IScriptLineView::ShowScriptLine, place->line);
    return true;
}

} // namespace miravo
