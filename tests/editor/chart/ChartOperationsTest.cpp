#include "editor/chart/ChartOperations.h"

#include "novel/EditorError.h"
#include "novel/SjisString.h"
#include "tests/editor/support/SessionTest.h"

namespace miravo {
namespace {

using ChartOperationsTest = test::SessionTest;

std::string Sjis(const char* utf8) { return SjisString::FromUtf8(utf8).Bytes(); }

TEST_F(ChartOperationsTest, NewItemsStepDiagonallyPastOccupiedBoxesFromTheScrollPosition) {
    session.Chart().NewItem(); // (8,8) is taken by the first item, so the second lands at (32,32)
    EXPECT_EQ(model.Items[1].Name, Sjis("新規アイテム2"));
    EXPECT_EQ(model.Items[1].X, 32);
    EXPECT_EQ(model.Items[1].Y, 32);
    EXPECT_EQ(state.currentItem, 1);
    EXPECT_TRUE(state.modified);
    EXPECT_TRUE(views.Called("StoreToItem")); // the first item was stored before switching

    views.scroll = {205, 99}; // snapped down to (200, 96)
    session.Chart().NewItem();
    EXPECT_EQ(model.Items[2].X, 208);
    EXPECT_EQ(model.Items[2].Y, 104);

    views.scroll = {5000, 5000}; // beyond the chart: clamped to its edges
    session.Chart().NewItem();
    EXPECT_EQ(model.Items[3].X, 1000 - 140);
    EXPECT_EQ(model.Items[3].Y, 1200 - 22);
}

TEST_F(ChartOperationsTest, NewItemAtTheLimitChangesNothing) {
    while (model.Items.Count() < CNovelItems::kMaxCount) {
        model.Items.Add();
    }
    const int serial = state.newNames.item;
    EXPECT_THROW(session.Chart().NewItem(), EditorError);
    EXPECT_EQ(state.newNames.item, serial);
    EXPECT_EQ(model.Items.Count(), CNovelItems::kMaxCount);
}

} // namespace
} // namespace miravo
