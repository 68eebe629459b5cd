#include "editor/chart/ChartLinks.h"

#include "novel/NovelData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

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

// The head as the rule states it: the angle from atan, the corners through cos and sin of it.
std::array<ChartPoint, 3> HeadByAngle(ChartPoint source, ChartPoint target) {
    constexpr double pi = std::numbers::pi;
    const double dx = static_cast<double>(source.x - target.x);
    const double dy = static_cast<double>(source.y - target.y);
    const double ax = std::abs(dx);
    const double ay = std::abs(dy);
    const double inQuadrant = ax >= ay ? std::atan(ay / ax) : pi / 2 - std::atan(ax / ay);
    const double theta = dx >= 0 ? (dy >= 0 ? inQuadrant : 2 * pi - inQuadrant)
                                 : (dy >= 0 ? pi - inQuadrant : pi + inQuadrant);
    const auto at = [](double x, double y) {
        return ChartPoint{static_cast<std::int64_t>(std::trunc(x)),
                          static_cast<std::int64_t>(std::trunc(y))};
    };
    const double apexX = static_cast<double>(target.x) + 6 * std::cos(theta);
    const double apexY = static_cast<double>(target.y) + 6 * std::sin(theta);
    return {at(apexX, apexY),
            at(apexX + 7 * std::cos(theta - pi / 7), apexY + 7 * std::sin(theta - pi / 7)),
            at(apexX + 7 * std::cos(theta + pi / 7), apexY + 7 * std::sin(theta + pi / 7))};
}

TEST(ChartLinksTest, ArrowHeadGivesTheAnglesCornersInEveryDirection) {
    // Targets left of and above the origin too, where truncation goes the other way.
    for (const ChartPoint target : {ChartPoint{8, 11}, ChartPoint{-1003, -95}, ChartPoint{2, -3}}) {
        for (std::int64_t dx = -400; dx <= 400; ++dx) {
            for (std::int64_t dy = -400; dy <= 400; ++dy) {
                if (dx == 0 && dy == 0) {
                    continue;
                }
                const ChartPoint source{target.x + dx, target.y + dy};
                const auto head = ArrowHead(source, target);
                ASSERT_TRUE(head.has_value());
                ASSERT_EQ(*head, HeadByAngle(source, target))
                    << dx << "," << dy << " to " << target.x << "," << target.y;
            }
        }
    }
}

} // namespace
} // namespace miravo
