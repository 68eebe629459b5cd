#include "editor/chart/ChartLinks.h"

#include "novel/NovelData.h"

#include <gtest/gtest.h>

namespace miravo {
namespace {

CNovelItem& AddItem(CNovelItems& items, const char* name, int x = 0, int y = 0) {
    CNovelItem& item = items.Add();
    item.Name = name;
    item.X = x;
    item.Y = y;
    return item;
}

void Link(CNovelItem& item, int slot, const char* target, bool enabled = true,
          bool counter = false) {
    item.Links[slot].Enabled = enabled;
    item.Links[slot].Target = target;
    item.Links[slot].UseCounter = counter;
}

TEST(ChartLinksTest, OnlyEnabledLinksToExistingNamesAreDrawnEndingAtTheLastOfAName) {
    CNovelItems items;
    CNovelItem& start = AddItem(items, "start"); // 0
    AddItem(items, "twin");                      // 1
    CNovelItem& end = AddItem(items, "end");     // 2
    AddItem(items, "twin");                      // 3: the one links to "twin" reach
    CNovelItem& other = AddItem(items, "other"); // 4
    Link(start, 0, "end");
    Link(start, 1, "twin", true, true);
    Link(start, 2, "end", false); // disabled
    Link(start, 3, "");           // no target
    Link(start, 4, "missing");    // no such item
    Link(start, 7, "start");      // to itself: drawn (no arrowhead, see below)
    Link(end, 0, "start");        // from an ending: never drawn
    end.LinkType = kLinkEnding;
    Link(other, 0, "TWIN"); // names compare exactly
    Link(other, 5, "other");
    const std::vector<ChartLink> expected = {
        {0, 2, false}, {0, 3, true}, {0, 0, false}, {4, 4, false}};
    EXPECT_EQ(VisibleLinks(items), expected);
}

TEST(ChartLinksTest, ArrowHeadPointsAtTheTargetAnchorFromTheSourceSide) {
    struct Case {
        ChartPoint source, target;
        std::array<ChartPoint, 3> head;
    };
    const Case cases[] = {
        // Source straight to the right: apex 6 to the right, corners 7 further at ±π/7.
        {{100, 11}, {8, 11}, {{{14, 11}, {20, 7}, {20, 14}}}},
        // Source straight below.
        {{8, 111}, {8, 11}, {{{8, 17}, {11, 23}, {4, 23}}}},
        // Source up and to the left: coordinates truncated toward zero.
        {{-92, -89}, {8, 11}, {{{3, 6}, {-2, 4}, {1, 0}}}},
    };
    for (const Case& c : cases) {
        const auto head = ArrowHead(c.source, c.target);
        ASSERT_TRUE(head.has_value());
        EXPECT_EQ(*head, c.head) << c.source.x << "," << c.source.y;
    }
    EXPECT_FALSE(ArrowHead({5, 5}, {5, 5}).has_value());
}

} // namespace
} // namespace miravo
