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

namespace miravo {
namespace {

// Items at the given positions after the new novel's first; item i is named "i<i>".
class ChartEditingTest : public test::SessionTest {
protected:
    void Place(std::initializer_list<std::pair<int, int>> positions) {
        model.Items[0].Name = "i0";
        int index = 0;
        for (const auto& [x, y] : positions) {
            if (index > 0) {
                model.Items.Add().Name = "i" + std::to_string(index);
            }
            model.Items[index].X = x;
            model.Items[index].Y = y;
            ++index;
        }
        state.modified = false;
        views.calls.clear();
    }
    ChartOperations& chart() { return session.Chart(); }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int i = 0; i < model.Items.Count(); ++i) {
            names.push_back(model.Items[i].Name);
        }
        return names;
    }
};

TEST_F(ChartEditingTest, PressSelectsTheTopBoxAndEndsAMultiSelectionOnlyFromOutside) {
    Place({{0, 0}, {100, 10}, {400, 400}});
    EXPECT_EQ(chart().PressAt({120, 15}), 1); // both boxes there: the later is on top
    EXPECT_EQ(state.currentItem, 1);
    EXPECT_TRUE(views.Called("StoreToItem"));
    EXPECT_EQ(chart().PressAt({700, 700}), -1);
    EXPECT_EQ(state.currentItem, 1);

    chart().FinishBand({-5, -5, 130, 30}, false); // touches both upper boxes
    EXPECT_TRUE(chart().Selection().active);
    EXPECT_EQ(chart().Selection().items, (std::vector<int>{1, 0}));
    EXPECT_EQ(chart().PressAt({5, 5}), 0); // inside: the selection stays
    EXPECT_TRUE(chart().Selection().active);
    chart().PressAt({410, 410}); // outside: it ends
    EXPECT_FALSE(chart().Selection().active);
    EXPECT_FALSE(state.modified);
}

TEST_F(ChartEditingTest, BandsReplaceOrAddAndABandAlongAnEdgeSelectsNothing) {
    Place({{0, 0}, {200, 0}, {400, 0}});
    chart().FinishBand({140, 0, 200, 100}, false); // touches box 0's right and box 1's left edge
    EXPECT_FALSE(chart().Selection().active);
    chart().FinishBand({0, 0, 10, 10}, false);
    EXPECT_FALSE(chart().Selection().active); // one hit: selected, no multi-selection
    EXPECT_EQ(state.currentItem, 0);
    chart().FinishBand({190, 10, 410, 12}, true); // Shift: added to the list
    EXPECT_TRUE(chart().Selection().active);
    EXPECT_EQ(chart().Selection().items, (std::vector<int>{0, 2, 1}));
    chart().FinishBand({390, 10, 410, 12}, false);
    EXPECT_FALSE(chart().Selection().active);
    EXPECT_EQ(state.currentItem, 2);
}

TEST_F(ChartEditingTest, MoveStoresClampedPositionsAndModifiesOnlyWhenTheBoxMoved) {
    Place({{16, 16}, {200, 40}, {860, 1100}});
    model.Header.ChartWidth = 1000;
    model.Header.ChartHeight = 1200;
    chart().FinishMove({16, 16}, {0, 0});
    EXPECT_FALSE(state.modified);
    chart().FinishBand({0, 0, 1000, 1200}, false);
    ASSERT_TRUE(chart().Selection().active);
    const int current = state.currentItem; // the band's first hit: the last item
    EXPECT_EQ(current, 2);
    // The current box lands at (900, 1104): clamped to (860, 1104); the others move by the
    // offset and are clamped each on its own.
    chart().FinishMove({900, 1104}, {40, 4});
    EXPECT_TRUE(state.modified);
    EXPECT_EQ(model.Items[2].X, 860);
    EXPECT_EQ(model.Items[2].Y, 1104);
    EXPECT_EQ(model.Items[0].X, 56);
    EXPECT_EQ(model.Items[0].Y, 20);
    EXPECT_EQ(model.Items[1].X, 240);
    chart().FinishMove({-64, 5000}, {-1000, 0});
    EXPECT_EQ(model.Items[2].X, 0);
    EXPECT_EQ(model.Items[2].Y, 1178);
    EXPECT_EQ(model.Items[0].X, 0);
}

TEST_F(ChartEditingTest, DeleteAsksRefusesTheLastAndKeepsTheFollowingItemCurrent) {
    struct Case {
        const char* what;
        std::vector<int> band; // rubber-band hits, empty: the current item alone
        int current;
        MessageResult answer;
        std::vector<std::string> left;
        int currentAfter;
        const char* question;
    };
    const std::vector<Case> cases = {
        {"one, yes",
         {},
         1,
         MessageResult::Yes,
         {"i0", "i2", "i3"},
         1,
         "アイテム \"i1\" を削除してもよろしいですか？"},
        {"one, no", {}, 1, MessageResult::No, {"i0", "i1", "i2", "i3"}, 1, nullptr},
        {"the last in the list", {}, 3, MessageResult::Yes, {"i0", "i1", "i2"}, 2, nullptr},
        {"several",
         {1, 3},
         0,
         MessageResult::Yes,
         {"i0", "i2"},
         1,
         "これらの 2 個のアイテムを削除してもよろしいですか？"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        session.Lifecycle().NewNovel();
        Place({{0, 0}, {200, 0}, {400, 0}, {600, 0}});
        chart().SelectItem(c.current);
        bool add = false;
        for (const int hit : c.band) { // a one-pixel band on each, the later ones added
            chart().FinishBand({hit * 200 + 10, 5, hit * 200 + 11, 6}, add);
            add = true;
        }
        ui.messages.clear();
        ui.answers = {c.answer};
        chart().DeleteItems();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].caption, "削除の確認");
        if (c.question != nullptr) {
            EXPECT_EQ(ui.messages[0].text, c.question);
        }
        EXPECT_EQ(Names(), c.left);
        EXPECT_EQ(state.currentItem, c.currentAfter);
        EXPECT_EQ(state.modified, c.answer == MessageResult::Yes);
        EXPECT_FALSE(chart().Selection().active && c.answer == MessageResult::Yes);
    }

    // Refused: the only item, or every item selected.
    session.Lifecycle().NewNovel();
    ui.messages.clear();
    chart().DeleteItems();
    Place({{0, 0}, {200, 0}});
    chart().FinishBand({0, 0, 400, 10}, false);
    chart().DeleteItems();
    ASSERT_EQ(ui.messages.size(), 2u);
    for (const MessageRequest& refusal : ui.messages) {
        EXPECT_EQ(refusal.text, "すべてのアイテムを削除することは出来ません。");
        EXPECT_EQ(refusal.caption, "削除のエラー");
    }
    EXPECT_EQ(model.Items.Count(), 2);
    EXPECT_FALSE(state.modified);
}

TEST_F(ChartEditingTest, SelectedItemsGoEvenWhenAnotherItemSharesTheirName) {
    Place({{0, 0}, {200, 0}, {400, 0}});
    model.Items[0].Name = "twin";
    model.Items[2].Name = "twin";
    chart().FinishBand({0, 0, 210, 10}, false); // items 0 and 1, not the later "twin"
    ui.answers = {MessageResult::Yes};
    chart().DeleteItems();
    ASSERT_EQ(model.Items.Count(), 1);
    EXPECT_EQ(model.Items[0].X, 400);
}

TEST_F(ChartEditingTest, MarkGoesToTheLastItemOfItsNameAndSurvivesANewNovel) {
    Place({{0, 0}, {200, 0}, {400, 0}});
    model.Items[2].Name = "i1";
    chart().SelectItem(1);
    chart().SetMark();
    EXPECT_EQ(chart().MarkName(), "i1");
    chart().SelectItem(0);
    chart().GoToMark();
    EXPECT_EQ(state.currentItem, 2);
    session.Lifecycle().NewNovel();
    EXPECT_EQ(chart().MarkName(), "i1");
    chart().GoToMark(); // no item of that name: nothing happens
    EXPECT_EQ(state.currentItem, 0);
}

TEST_F(ChartEditingTest, ChartSizeResizesTheChartAndModifies) {
    chart().SetChartSize(60000, 300);
    EXPECT_EQ(model.Header.ChartWidth, 60000);
    EXPECT_EQ(model.Header.ChartHeight, 300);
    EXPECT_TRUE(views.Called("ResizeChart"));
    EXPECT_TRUE(state.modified);
}

} // namespace
} // namespace miravo
