#include "picture/FadeMasks.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <vector>

namespace miravo {
namespace {

constexpr int W = kFadeMaskWidth;
constexpr int H = kFadeMaskHeight;

template <typename Level> CRaster Paint(Level level) {
    CRaster raster(W, H);
    for (int y = 0; y < H; ++y) {
        std::uint8_t* pixel = raster.Row(y);
        for (int x = 0; x < W; ++x, pixel += 3) {
            const auto value = std::uint8_t(std::clamp(level(x, y), 0, 255));
            pixel[0] = pixel[1] = pixel[2] = value;
        }
    }
    return raster;
}

// Piecewise linear through (position, level) points in rising position; clamped at both ends.
int Through(double position, std::initializer_list<std::pair<double, double>> points) {
    auto previous = *points.begin();
    if (position <= previous.first)
        return int(std::lround(previous.second));
    for (const auto& point : points) {
        if (position <= point.first) {
            const double share = (position - previous.first) / (point.first - previous.first);
            return int(std::lround(previous.second + share * (point.second - previous.second)));
        }
        previous = point;
    }
    return int(std::lround(previous.second));
}

// The rotating shutter: the shutter curve over the clockwise angle from straight up, scaled to
// 252 so the last pixels before a full turn stay distinct from the first.
int RotatingLevel(int dx, int dy) {
    double angle = std::atan2(double(dx), double(-dy));
    if (angle < 0)
        angle += 2 * std::numbers::pi;
    const double t = angle / (2 * std::numbers::pi);
    return int(std::lround(126.0 * (t + 3 * t * t - 2 * t * t * t)));
}

// Small deterministic generator for the scattered masks: the same pictures on every run.
struct Scatter {
    std::uint32_t state;
    std::uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int Below(int bound) { return int(Next() % std::uint32_t(bound)); }
};

CRaster PuzzleMask() {
    // 21 x 16 squares; the first column and row are one pixel short, so square (x + 1) / 32.
    constexpr int columns = (W + 1 + 31) / 32, rows = (H + 1 + 31) / 32;
    constexpr int levels = 105;
    std::vector<int> order(columns * rows);
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i % levels);
    Scatter scatter{0x2545F491u};
    for (std::size_t i = order.size() - 1; i > 0; --i)
        std::swap(order[i], order[std::size_t(scatter.Below(int(i + 1)))]);
    return Paint([&](int x, int y) {
        const int square = ((y + 1) / 32) * columns + (x + 1) / 32;
        return int(std::lround(order[std::size_t(square)] * 255.0 / (levels - 1)));
    });
}

CRaster WindMask() {
    // Each row: a start between 0 and 73 that wanders from the row above, and a rise of 180 to
    // 218 levels across the width, so neighbouring rows form streaks.
    std::vector<int> start(H), rise(H);
    Scatter scatter{0x9E3779B9u};
    int wander = 36;
    for (int y = 1; y < H; ++y) {
        wander = std::clamp(wander + scatter.Below(31) - 15, 0, 73);
        start[std::size_t(y)] = wander;
        rise[std::size_t(y)] = std::min(180 + scatter.Below(39), 255 - wander);
    }
    return Paint([&](int x, int y) {
        if (y == 0)
            return 0;
        return start[std::size_t(y)] + int(std::lround(rise[std::size_t(y)] * x / double(W - 1)));
    });
}

} // namespace

int ShutterCurve(double t) { return int(std::lround(255.0 * (t + 3 * t * t - 2 * t * t * t) / 2)); }

CRaster PaintFadeMask(FadeMask mask) {
    switch (mask) {
    case FadeMask::FadeBlankImage: return Paint([](int, int) { return 128; });
    case FadeMask::FadeBlindHorzImage:
        return Paint([](int, int y) { return ShutterCurve((y % 32) / 32.0); });
    case FadeMask::FadeBlindVertImage:
        return Paint([](int x, int) { return ShutterCurve((x % 32) / 32.0); });
    case FadeMask::FadeShutterL2RImage:
        return Paint([](int x, int) { return ShutterCurve(x / double(W)); });
    case FadeMask::FadeShutterR2LImage:
        return Paint([](int x, int) { return 255 - ShutterCurve(x / double(W)); });
    case FadeMask::FadeShutterU2DImage:
        return Paint([](int, int y) { return Through(y, {{0, 0}, {240, 128}, {H - 1, 253}}); });
    case FadeMask::FadeShutterD2UImage:
        return Paint([](int, int y) { return Through(y, {{0, 255}, {240, 127}, {H - 1, 3}}); });
    case FadeMask::FadePuzzleImage: return PuzzleMask();
    case FadeMask::FadeRShutterRImage:
        return Paint([](int x, int y) { return RotatingLevel(x - W / 2, y - H / 2); });
    case FadeMask::FadeRShutterLImage:
        return Paint([](int x, int y) { return RotatingLevel(W / 2 - x, y - H / 2) + 3; });
    case FadeMask::FadeCameraOpenImage:
        return Paint([](int x, int y) {
            const double distance = std::hypot(x - W / 2, y - H / 2);
            return Through(distance,
                           {{0, 0}, {120, 59}, {160, 89}, {240, 156}, {320, 217}, {400, 255}});
        });
    case FadeMask::FadeWindL2RImage: return WindMask();
    case FadeMask::FadeCrossLineHorzImage:
        return Paint([](int x, int y) {
            const int level = ShutterCurve(x / double(W));
            return (y / 16) % 2 == 0 ? 255 - level : level;
        });
    }
    return {};
}

std::optional<FadeMask> PresetFadeMask(int type, int variation) {
    switch (type) {
    case 1:
    case 4: return FadeMask::FadeBlankImage;
    case 2: return variation == 2 ? FadeMask::FadeBlindVertImage : FadeMask::FadeBlindHorzImage;
    case 3:
        switch (variation) {
        case 2: return FadeMask::FadeShutterR2LImage;
        case 3: return FadeMask::FadeShutterU2DImage;
        case 4: return FadeMask::FadeShutterD2UImage;
        default: return FadeMask::FadeShutterL2RImage;
        }
    case 5: return FadeMask::FadePuzzleImage;
    case 6: return variation == 2 ? FadeMask::FadeRShutterLImage : FadeMask::FadeRShutterRImage;
    case 7: return FadeMask::FadeCameraOpenImage;
    case 8: return FadeMask::FadeWindL2RImage;
    case 9: return FadeMask::FadeCrossLineHorzImage;
    default: return std::nullopt;
    }
}

const CRaster& CPresetFadeMasks::Get(FadeMask mask) {
    std::optional<CRaster>& slot = masks_[std::size_t(mask)];
    if (!slot)
        slot = PaintFadeMask(mask);
    return *slot;
}

} // namespace miravo
