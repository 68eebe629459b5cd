#include "editor/shell/CommandTable.h"
#include "editor/shell/EditorCommands.h"
#include "editor/shell/EditorState.h"
#include "editor/shell/Resource.h"
#include "novel/NovelData.h"

#include <gtest/gtest.h>

namespace miravo {
namespace {

// A command runs only while it has an action and its predicate holds; the document commands'
// predicates follow the state they read, each time they are asked.
TEST(CommandTable, CommandsFollowTheirPredicatesAndTheirWindowsActions) {
    CNovelModel model;
    EditorState state;
    CommandTable commands;
    DeclareDocumentCommands(commands, state, model);
    const int documentCommands[] = {ID_ITEM_DELETE, ID_ITEM_MARK, ID_NOVEL_PROPERTY, ID_TESTPLAY,
                                    ID_MAKE_RUNTIME};
    model.Items.Add();
    for (const int id : documentCommands) {
        EXPECT_FALSE(commands.IsEnabled(id)) << id << ": its window does not exist yet";
    }
    int runs = 0;
    for (const int id : documentCommands) {
        commands.SetAction(id, [&runs] { ++runs; });
        EXPECT_TRUE(commands.IsEnabled(id)) << id;
    }
    state.currentItem = 1; // past the last item
    EXPECT_FALSE(commands.IsEnabled(ID_ITEM_DELETE));
    EXPECT_FALSE(commands.Run(ID_ITEM_MARK));
    EXPECT_TRUE(commands.Run(ID_NOVEL_PROPERTY));
    model.Items.Clear();
    EXPECT_FALSE(commands.Run(ID_TESTPLAY));
    EXPECT_FALSE(commands.IsEnabled(ID_MAKE_RUNTIME));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(commands.Has(ID_ABOUT));
    EXPECT_FALSE(commands.Run(ID_ABOUT));
}

} // namespace
} // namespace miravo
