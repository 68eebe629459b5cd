#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Pictures of the sample novel are painted from code: a small RGBA raster with the shapes that
// scenes need (gradients, discs, rounded boxes, polygons), drawn with anti-aliased edges.
namespace miravo::samplegen {

struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;
};

Color Mix(Color from, Color to, double t); // t 0..1, alpha mixed too
Color WithAlpha(Color color, std::uint8_t alpha);

struct Point {
    double x = 0;
    double y = 0;
};

class Image {
public:
    Image(int width, int height, Color fill = {0, 0, 0, 0});

    int Width() const { return width_; }
    int Height() const { return height_; }
    Color At(int x, int y) const;
    // Rows from the top, 4 bytes a pixel: red, green, blue, alpha.
    const std::vector<std::uint8_t>& Rgba() const { return pixels_; }

    // Source-over blending of `color` at `coverage` (0..1) of its own alpha.
    void Blend(int x, int y, Color color, double coverage);

    void VerticalGradient(Color top, Color bottom);
    void VerticalGradient(int top, int bottom, Color from, Color to); // rows [top, bottom)
    // Anti-aliased shapes: coverage is sampled 4 x 4 times per edge pixel.
    void FillShape(double left, double top, double right, double bottom,
                   const std::function<bool(double x, double y)>& inside, Color color);
    void FillEllipse(double cx, double cy, double rx, double ry, Color color);
    void FillRoundRect(double left, double top, double right, double bottom, double radius,
                       Color color);
    void FillPolygon(const std::vector<Point>& points, Color color);
    // A soft glow: alpha falling from the centre to the radius.
    void Glow(double cx, double cy, double radius, Color color);

private:
    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};

// Deterministic pseudo-random numbers, so that the generated files are the same on every build.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}
    std::uint32_t Next();
    double Uniform(); // [0, 1)
    double Range(double low, double high) { return low + (high - low) * Uniform(); }

private:
    std::uint32_t state_;
};

} // namespace miravo::samplegen
