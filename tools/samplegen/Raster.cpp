#include "tools/samplegen/Raster.h"

#include <algorithm>
#include <cmath>

namespace miravo::samplegen {

namespace {

std::uint8_t Lerp(std::uint8_t a, std::uint8_t b, double t) {
    return static_cast<std::uint8_t>(std::lround(a + (b - a) * std::clamp(t, 0.0, 1.0)));
}

} // namespace

Color Mix(Color from, Color to, double t) {
    return {Lerp(from.r, to.r, t), Lerp(from.g, to.g, t), Lerp(from.b, to.b, t),
            Lerp(from.a, to.a, t)};
}

Color WithAlpha(Color color, std::uint8_t alpha) {
    color.a = alpha;
    return color;
}

Image::Image(int width, int height, Color fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * std::size_t(height) * 4) {
    for (std::size_t i = 0; i < pixels_.size(); i += 4) {
        pixels_[i] = fill.r;
        pixels_[i + 1] = fill.g;
        pixels_[i + 2] = fill.b;
        pixels_[i + 3] = fill.a;
    }
}

Color Image::At(int x, int y) const {
    const std::uint8_t* p = &pixels_[(std::size_t(y) * std::size_t(width_) + std::size_t(x)) * 4];
    return {p[0], p[1], p[2], p[3]};
}

void Image::Blend(int x, int y, Color color, double coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage <= 0)
        return;
    std::uint8_t* p = &pixels_[(std::size_t(y) * std::size_t(width_) + std::size_t(x)) * 4];
    const double sa = color.a / 255.0 * std::min(coverage, 1.0);
    const double da = p[3] / 255.0;
    const double oa = sa + da * (1 - sa);
    if (oa <= 0)
        return;
    auto channel = [&](std::uint8_t s, std::uint8_t d) {
        return static_cast<std::uint8_t>(std::lround((s * sa + d * da * (1 - sa)) / oa));
    };
    p[0] = channel(color.r, p[0]);
    p[1] = channel(color.g, p[1]);
    p[2] = channel(color.b, p[2]);
    p[3] = static_cast<std::uint8_t>(std::lround(oa * 255));
}

void Image::VerticalGradient(Color top, Color bottom) { VerticalGradient(0, height_, top, bottom); }

void Image::VerticalGradient(int top, int bottom, Color from, Color to) {
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
        Color c = Mix(from, to, bottom - top > 1 ? double(y - top) / (bottom - top - 1) : 0);
        for (int x = 0; x < width_; ++x)
            Blend(x, y, c, 1);
    }
}

void Image::FillShape(double left, double top, double right, double bottom,
                      const std::function<bool(double, double)>& inside, Color color) {
    const int x0 = std::max(0, int(std::floor(left)));
    const int y0 = std::max(0, int(std::floor(top)));
    const int x1 = std::min(width_ - 1, int(std::ceil(right)));
    const int y1 = std::min(height_ - 1, int(std::ceil(bottom)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            // Corners decide most pixels at once; mixed ones are sampled.
            const bool a = inside(x, y), b = inside(x + 1, y), c = inside(x, y + 1),
                       d = inside(x + 1, y + 1), m = inside(x + 0.5, y + 0.5);
            if (a && b && c && d && m) {
                Blend(x, y, color, 1);
                continue;
            }
            if (!a && !b && !c && !d && !m)
                continue;
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx)
                    hits += inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
            }
            Blend(x, y, color, hits / 16.0);
        }
    }
}

void Image::FillEllipse(double cx, double cy, double rx, double ry, Color color) {
    FillShape(
        cx - rx, cy - ry, cx + rx, cy + ry,
        [=](double x, double y) {
            const double dx = (x - cx) / rx, dy = (y - cy) / ry;
            return dx * dx + dy * dy <= 1;
        },
        color);
}

void Image::FillRoundRect(double left, double top, double right, double bottom, double radius,
                          Color color) {
    FillShape(
        left, top, right, bottom,
        [=](double x, double y) {
            if (x < left || x > right || y < top || y > bottom)
                return false;
            const double cx = std::clamp(x, left + radius, right - radius);
            const double cy = std::clamp(y, top + radius, bottom - radius);
            return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
        },
        color);
}

void Image::FillPolygon(const std::vector<Point>& points, Color color) {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    for (const Point& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    FillShape(
        left, top, right, bottom,
        [&](double x, double y) {
            bool in = false; // even-odd rule
            for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const Point& a = points[i];
                const Point& b = points[j];
                if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                    in = !in;
            }
            return in;
        },
        color);
}

void Image::Glow(double cx, double cy, double radius, Color color) {
    for (int y = std::max(0, int(cy - radius)); y < std::min(height_, int(cy + radius) + 1); ++y) {
        for (int x = std::max(0, int(cx - radius)); x < std::min(width_, int(cx + radius) + 1);
             ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
            if (d < 1)
                Blend(x, y, color, (1 - d) * (1 - d));
        }
    }
}

std::uint32_t Random::Next() {
    // xorshift32: small, fast and the same everywhere.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

double Random::Uniform() { return (Next() >> 8) / double(1u << 24); }

} // namespace miravo::samplegen
