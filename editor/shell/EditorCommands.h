#pragma once

#include "editor/shell/CommandTable.h"

namespace miravo {

struct CNovelModel;
struct EditorState;

// Declares the commands whose availability depends on the document, each with its predicate;
// their windows give the actions (CommandTable::SetAction) when they exist. Until then a command
// stays disabled whatever its predicate says.
//   ID_ITEM_DELETE, ID_ITEM_MARK   a current item exists (deleting the last item is refused with
//                                  a message, not by disabling)
//   ID_NOVEL_PROPERTY              always
//   ID_TESTPLAY, ID_MAKE_RUNTIME   the novel has an item to start from
void DeclareDocumentCommands(CommandTable& commands, const EditorState& state,
                             const CNovelModel& model);

} // namespace miravo
