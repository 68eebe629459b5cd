#include "editor/shell/EditorCommands.h"

#include "editor/shell/EditorState.h"
#include "editor/shell/Resource.h"
#include "novel/NovelData.h"

namespace miravo {

void DeclareDocumentCommands(CommandTable& commands, const EditorState& state,
                             const CNovelModel& model) {
    const auto hasCurrentItem = [&state, &model] {
        return state.currentItem >= 0 && state.currentItem < model.Items.Count();
    };
    const auto hasItems = [&model] { return model.Items.Count() > 0; };
    commands.Add(ID_ITEM_DELETE, {}, hasCurrentItem);
    commands.Add(ID_ITEM_MARK, {}, hasCurrentItem);
    commands.Add(ID_NOVEL_PROPERTY, {});
    commands.Add(ID_TESTPLAY, {}, hasItems);
    commands.Add(ID_NOVEL_CHECK, {});
    commands.Add(ID_MAKE_RUNTIME, {}, hasItems);
}

} // namespace miravo
