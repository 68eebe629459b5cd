#include "editor/chart/ChartLinks.h"

#include "novel/NovelData.h"

#include <cmath>
#include <numbers>
#include <string_view>
#include <unordered_map>

namespace miravo {

ChartPoint AnchorOf(std::int64_t x, std::int64_t y) { return {x + 8, y + 11}; }

std::vector<ChartLink> VisibleLinks(const CNovelItems& items) {
    // Later items overwrite earlier ones: a name leads to its last item.
    std::unordered_map<std::string_view, int> lastByName;
    lastByName.reserve(static_cast<std::size_t>(items.Count()));
    for (int index = 0; index < items.Count(); ++index) {
        lastByName[items[index].Name] = index;
    }
    std::vector<ChartLink> links;
    links.reserve(static_cast<std::size_t>(items.Count()) * kLinkSlotCount);
    for (int index = 0; index < items.Count(); ++index) {
        const CNovelItem& item = items[index];
        if (item.LinkType == kLinkEnding) {
            continue;
        }
        for (const CNovelLink& slot : item.Links) {
            if (!slot.Enabled || slot.Target.empty()) {
                continue;
            }
            const auto found = lastByName.find(slot.Target);
            if (found != lastByName.end()) {
                links.push_back({index, found->second, slot.UseCounter});
            }
        }
    }
    return links;
}

std::optional<std::array<ChartPoint, 3>> ArrowHead(ChartPoint sourceAnchor,
                                                   ChartPoint targetAnchor) {
    const double dx = static_cast<double>(sourceAnchor.x - targetAnchor.x);
    const double dy = static_cast<double>(sourceAnchor.y - targetAnchor.y);
    if (dx == 0 && dy == 0) {
        return std::nullopt;
    }
    constexpr double pi = std::numbers::pi;
    // The angle within the quadrant from the smaller difference over the larger, placed by the
    // signs, so that it lies in 0 to 2π as the drawing has always computed it.
    const double ax = std::abs(dx);
    const double ay = std::abs(dy);
    const double inQuadrant = ax >= ay ? std::atan(ay / ax) : pi / 2 - std::atan(ax / ay);
    double theta = 0;
    if (dx >= 0 && dy >= 0) {
        theta = inQuadrant;
    } else if (dx < 0 && dy >= 0) {
        theta = pi - inQuadrant;
    } else if (dx < 0) {
        theta = pi + inQuadrant;
    } else {
        theta = 2 * pi - inQuadrant;
    }
    const auto at = [](double x, double y) {
        return ChartPoint{static_cast<std::int64_t>(std::trunc(x)),
                          static_cast<std::int64_t>(std::trunc(y))};
    };
    const double apexX = static_cast<double>(targetAnchor.x) + 6 * std::cos(theta);
    const double apexY = static_cast<double>(targetAnchor.y) + 6 * std::sin(theta);
    return std::array<ChartPoint, 3>{
        at(apexX, apexY),
        at(apexX + 7 * std::cos(theta - pi / 7), apexY + 7 * std::sin(theta - pi / 7)),
        at(apexX + 7 * std::cos(theta + pi / 7), apexY + 7 * std::sin(theta + pi / 7))};
}

} // namespace miravo
