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

namespace {

// Toward zero, as a conversion does (without a call into the maths library).
ChartPoint Truncated(double x, double y) {
    return {static_cast<std::int64_t>(x), static_cast<std::int64_t>(y)};
}

// The head from its angle, as the drawing has always computed it: the angle within the quadrant
// from the smaller difference over the larger, placed by the signs, in 0 to 2π.
std::array<ChartPoint, 3> HeadFromAngle(double dx, double dy, ChartPoint targetAnchor) {
    constexpr double pi = std::numbers::pi;
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
    const double apexX = static_cast<double>(targetAnchor.x) + 6 * std::cos(theta);
    const double apexY = static_cast<double>(targetAnchor.y) + 6 * std::sin(theta);
    return {Truncated(apexX, apexY),
            Truncated(apexX + 7 * std::cos(theta - pi / 7), apexY + 7 * std::sin(theta - pi / 7)),
            Truncated(apexX + 7 * std::cos(theta + pi / 7), apexY + 7 * std::sin(theta + pi / 7))};
}

} // namespace

std::optional<std::array<ChartPoint, 3>> ArrowHead(ChartPoint sourceAnchor,
                                                   ChartPoint targetAnchor) {
    const double dx = static_cast<double>(sourceAnchor.x - targetAnchor.x);
    const double dy = static_cast<double>(sourceAnchor.y - targetAnchor.y);
    if (dx == 0 && dy == 0) {
        return std::nullopt;
    }
    if (dx == 0 || dy == 0) {
        // Along an axis the angle's cosine or sine is not quite zero, which moves a truncation
        // left of or above the origin: the angle gives those heads.
        return HeadFromAngle(dx, dy, targetAnchor);
    }
    // The same corners without seven calls of the trigonometric functions (the first repaint of
    // a large chart works out every head, and they were most of it): cos and sin of the angle are
    // the differences over the distance, and the sides' directions follow by the sum rules.
    // Checked against the angle over every difference up to 1500 each way.
    const double distance = std::sqrt(dx * dx + dy * dy);
    const double cosine = dx / distance;
    const double sine = dy / distance;
    static const double cosSide = std::cos(std::numbers::pi / 7);
    static const double sinSide = std::sin(std::numbers::pi / 7);
    const double apexX = static_cast<double>(targetAnchor.x) + 6 * cosine;
    const double apexY = static_cast<double>(targetAnchor.y) + 6 * sine;
    return std::array<ChartPoint, 3>{Truncated(apexX, apexY),
                                     Truncated(apexX + 7 * (cosine * cosSide + sine * sinSide),
                                               apexY + 7 * (sine * cosSide - cosine * sinSide)),
                                     Truncated(apexX + 7 * (cosine * cosSide - sine * sinSide),
                                               apexY + 7 * (sine * cosSide + cosine * sinSide))};
}

} // namespace miravo
