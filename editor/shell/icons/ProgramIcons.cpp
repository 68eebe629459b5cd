#include "editor/shell/icons/ProgramIcons.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <numbers>

namespace miravo {

namespace {

// Shapes and paints work in unit coordinates: (0, 0) top left, (1, 1) bottom right.
using Shape = std::function<bool(double x, double y)>;

struct Colour {
    double r = 0, g = 0, b = 0, a = 1;
};
using Paint = std::function<Colour(double x, double y)>;

Paint Solid(Colour colour) {
    return [colour](double, double) { return colour; };
}

Paint VerticalGradient(Colour top, Colour bottom, double from, double to) {
    return [=](double, double y) {
        const double t = std::clamp((y - from) / (to - from), 0.0, 1.0);
        return Colour{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t,
                      top.b + (bottom.b - top.b) * t, 1};
    };
}

Colour Rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0, 1}; }

Shape RoundedRect(double left, double top, double right, double bottom, double radius) {
    return [=](double x, double y) {
        if (x < left || x > right || y < top || y > bottom)
            return false;
        const double cx = std::clamp(x, left + radius, right - radius);
        const double cy = std::clamp(y, top + radius, bottom - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    };
}

struct Point {
    double x, y;
};

Shape Polygon(std::vector<Point> points) {
    return [points = std::move(points)](double x, double y) {
        bool inside = false;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Point& a = points[i];
            const Point& b = points[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
        return inside;
    };
}

// An ellipse turned by `degrees`.
Shape Ellipse(double cx, double cy, double rx, double ry, double degrees) {
    const double angle = degrees * std::numbers::pi / 180;
    const double c = std::cos(angle), s = std::sin(angle);
    return [=](double x, double y) {
        const double u = ((x - cx) * c + (y - cy) * s) / rx;
        const double v = (-(x - cx) * s + (y - cy) * c) / ry;
        return u * u + v * v <= 1;
    };
}

Shape Union(std::vector<Shape> shapes) {
    return [shapes = std::move(shapes)](double x, double y) {
        return std::any_of(shapes.begin(), shapes.end(), [&](const Shape& s) { return s(x, y); });
    };
}

// The shape grown by `by` in every direction (an outline drawn below the shape).
Shape Grown(Shape shape, double by) {
    return [shape = std::move(shape), by](double x, double y) {
        for (int i = 0; i < 16; ++i) {
            const double angle = i * std::numbers::pi / 8;
            if (shape(x + by * std::cos(angle), y + by * std::sin(angle)))
                return true;
        }
        return shape(x, y);
    };
}

// Maps a shape drawn in unit coordinates into the box (left, top, scale).
Shape Placed(Shape shape, double left, double top, double scale) {
    return [=](double x, double y) { return shape((x - left) / scale, (y - top) / scale); };
}

class Canvas {
public:
    explicit Canvas(int size) : size_(size), pixels_(static_cast<std::size_t>(size * size)) {
        for (Colour& pixel : pixels_)
            pixel.a = 0;
    }

    double Pixel() const { return 1.0 / size_; }

    // Coverage from 6 x 6 samples per pixel, the colour from the pixel's centre.
    void Fill(const Shape& shape, const Paint& paint) {
        constexpr int kSamples = 6;
        for (int py = 0; py < size_; ++py) {
            for (int px = 0; px < size_; ++px) {
                int hits = 0;
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx)
                        hits += shape((px + (sx + 0.5) / kSamples) / size_,
                                      (py + (sy + 0.5) / kSamples) / size_);
                if (hits == 0)
                    continue;
                Colour source = paint((px + 0.5) / size_, (py + 0.5) / size_);
                source.a *= static_cast<double>(hits) / (kSamples * kSamples);
                Over(pixels_[static_cast<std::size_t>(py * size_ + px)], source);
            }
        }
    }

    IconImage Image() const {
        IconImage image{size_, {}};
        for (const Colour& c : pixels_) {
            auto byte = [](double v) {
                return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
            };
            image.pixels.push_back(byte(c.a) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b));
        }
        return image;
    }

private:
    static void Over(Colour& target, const Colour& source) {
        const double a = source.a + target.a * (1 - source.a);
        if (a <= 0)
            return;
        auto mix = [&](double s, double t) {
            return (s * source.a + t * target.a * (1 - source.a)) / a;
        };
        target = {mix(source.r, target.r), mix(source.g, target.g), mix(source.b, target.b), a};
    }

    int size_;
    std::vector<Colour> pixels_;
};

const Colour kTileTop = Rgb(86, 132, 232);
const Colour kTileBottom = Rgb(44, 56, 168);
const Colour kTileEdge = Rgb(24, 32, 100);
const Colour kPaper = Rgb(252, 251, 244);
const Colour kPaperShade = Rgb(214, 220, 236);
const Colour kInk = Rgb(150, 164, 204);
const Colour kGold = Rgb(255, 204, 64);
const Colour kNoteEdge = Rgb(110, 70, 10);

// An eighth note, in unit coordinates of its own box.
Shape Note() {
    return Union({Ellipse(0.36, 0.78, 0.2, 0.14, -22),
                  Polygon({{0.5, 0.08}, {0.58, 0.08}, {0.58, 0.8}, {0.5, 0.8}}),
                  Polygon({{0.5, 0.08}, {0.86, 0.3}, {0.84, 0.46}, {0.58, 0.3}})});
}

// The program's tile with its book and note, drawn into the box (left, top, scale).
void DrawTile(Canvas& canvas, double left, double top, double scale, bool detailed) {
    const double pixel = canvas.Pixel();
    auto place = [&](Shape shape) { return Placed(std::move(shape), left, top, scale); };
    canvas.Fill(place(RoundedRect(0.03, 0.03, 0.97, 0.97, 0.2)), Solid(kTileEdge));
    const double inset = pixel / scale;
    canvas.Fill(
        place(RoundedRect(0.03 + inset, 0.03 + inset, 0.97 - inset, 0.97 - inset, 0.2 - inset)),
        VerticalGradient(kTileTop, kTileBottom, top, top + scale));
    // The open book: two pages rising from the spine.
    const Shape leftPage =
        Polygon({{0.13, 0.44}, {0.3, 0.4}, {0.47, 0.47}, {0.47, 0.86}, {0.3, 0.8}, {0.13, 0.84}});
    const Shape rightPage =
        Polygon({{0.87, 0.44}, {0.7, 0.4}, {0.53, 0.47}, {0.53, 0.86}, {0.7, 0.8}, {0.87, 0.84}});
    canvas.Fill(place(Polygon(
                    {{0.1, 0.48}, {0.5, 0.52}, {0.9, 0.48}, {0.9, 0.9}, {0.5, 0.93}, {0.1, 0.9}})),
                Solid(kTileEdge));
    canvas.Fill(place(leftPage), Solid(kPaper));
    canvas.Fill(place(rightPage),
                VerticalGradient(kPaper, kPaperShade, top + 0.4 * scale, top + 0.9 * scale));
    if (detailed) {
        for (int line = 0; line < 3; ++line) {
            const double y = 0.53 + line * 0.09;
            canvas.Fill(
                place(Polygon({{0.19, y}, {0.41, y + 0.03}, {0.41, y + 0.05}, {0.19, y + 0.02}})),
                Solid(kInk));
            canvas.Fill(
                place(Polygon({{0.81, y}, {0.59, y + 0.03}, {0.59, y + 0.05}, {0.81, y + 0.02}})),
                Solid(kInk));
        }
    }
    // The note above the book, outlined so that it stands out from the blue.
    const Shape note = place(Placed(Note(), 0.3, 0.04, 0.42));
    canvas.Fill(Grown(note, pixel * 0.8), Solid(kNoteEdge));
    canvas.Fill(note, Solid(kGold));
}

} // namespace

IconImage DrawProgramIcon(int size) {
    Canvas canvas(size);
    DrawTile(canvas, 0, 0, 1, size >= 32);
    return canvas.Image();
}

IconImage DrawNovelIcon(int size) {
    Canvas canvas(size);
    const double pixel = canvas.Pixel();
    // A page with its top right corner folded down.
    const Shape page =
        Polygon({{0.2, 0.03}, {0.64, 0.03}, {0.86, 0.25}, {0.86, 0.97}, {0.2, 0.97}});
    canvas.Fill(Grown(page, pixel), Solid(Rgb(96, 100, 116)));
    canvas.Fill(page, VerticalGradient(Rgb(255, 255, 255), Rgb(226, 232, 244), 0, 1));
    canvas.Fill(Grown(Polygon({{0.64, 0.03}, {0.64, 0.25}, {0.86, 0.25}}), pixel * 0.5),
                Solid(Rgb(96, 100, 116)));
    canvas.Fill(Polygon({{0.64, 0.03}, {0.64, 0.25}, {0.86, 0.25}}), Solid(Rgb(206, 212, 226)));
    if (size >= 32) {
        for (int line = 0; line < 3; ++line) {
            const double y = 0.3 + line * 0.1;
            canvas.Fill(RoundedRect(0.3, y, line == 0 ? 0.58 : 0.76, y + 0.035, 0.015),
                        Solid(kInk));
        }
    }
    // The program's tile in the bottom left: a novel of this program.
    DrawTile(canvas, 0.0, 0.44, 0.56, false);
    return canvas.Image();
}

std::string IcoFileBytes(const std::vector<IconImage>& images) {
    std::string bytes;
    auto put16 = [&](unsigned value) {
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>((value >> 8) & 0xFF);
    };
    auto put32 = [&](std::uint32_t value) {
        put16(value & 0xFFFF);
        put16(value >> 16);
    };
    auto maskStride = [](int size) { return ((size + 31) / 32) * 4; };
    auto imageBytes = [&](int size) {
        return 40u + static_cast<unsigned>(size * size * 4 + maskStride(size) * size);
    };
    put16(0);
    put16(1); // icon
    put16(static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const IconImage& image : images) {
        bytes += static_cast<char>(image.size >= 256 ? 0 : image.size);
        bytes += static_cast<char>(image.size >= 256 ? 0 : image.size);
        bytes += '\0'; // no palette
        bytes += '\0';
        put16(1);  // planes
        put16(32); // bits per pixel
        put32(imageBytes(image.size));
        put32(offset);
        offset += imageBytes(image.size);
    }
    for (const IconImage& image : images) {
        // BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
        put32(40);
        put32(static_cast<std::uint32_t>(image.size));
        put32(static_cast<std::uint32_t>(image.size * 2));
        put16(1);
        put16(32);
        put32(0); // BI_RGB
        put32(imageBytes(image.size) - 40);
        for (int i = 0; i < 4; ++i)
            put32(0);
        // Rows from the bottom, blue green red alpha.
        for (int y = image.size - 1; y >= 0; --y)
            for (int x = 0; x < image.size; ++x)
                put32(image.At(x, y));
        // The mask: set where the image is fully transparent.
        for (int y = image.size - 1; y >= 0; --y) {
            std::string row(static_cast<std::size_t>(maskStride(image.size)), '\0');
            for (int x = 0; x < image.size; ++x)
                if ((image.At(x, y) >> 24) == 0)
                    row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
            bytes += row;
        }
    }
    return bytes;
}

} // namespace miravo
