// The chart's real repaint under Windows GDI (run under Wine by `make bench`): the whole picture
// of a 2048-item, 16384-link chart, with the links drawn by GDI ("before") and straight into the
// pixels (what the chart does), each against a plain fill of the same bitmap in the same run.
#include "editor/chart/ChartBitmapFile.h"
#include "editor/chart/ChartGlyphs.h"
#include "editor/chart/ChartPainter.h"
#include "editor/chart/ChartStamps.h"
#include "editor/shell/MainForm.h"
#include "editor/widgets/Paint.h"
#include "tests/editor/chart/bench/LargeChart.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace miravo {
namespace {

struct Timing {
    double median;
    double best;
};

const char* filter = nullptr; // only measures whose name holds this

void Report(const char* name, Timing timing) {
    std::printf("%-36s %9.2f ms median %9.2f ms best\n", name, timing.median, timing.best);
}

void Measure(const char* name, const std::function<void()>& run, int repetitions = 15) {
    if (filter != nullptr && std::strstr(name, filter) == nullptr) {
        return;
    }
    run(); // warm: caches, glyphs
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    Report(name, {times[times.size() / 2], times.front()});
}

int Run() {
    constexpr int kSize = 3000;
    const BITMAPINFO info = TopDownDibInfo(kSize, kSize);
    void* pixels = nullptr;
    const BitmapHandle bitmap(
        CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap) {
        std::printf("no bitmap\n");
        return 1;
    }
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, bitmap.Get());
    const FontHandle font = CreateUiFont(kUiFontFace, 9, false);
    const FontHandle bold = CreateUiFont(kUiFontFace, 9, true);
    const ImageListHandle marks = CreateChartMarkImages();
    const ChartSelection selection;
    const std::string mark = "item7";
    std::printf("Chart repaint, 2048 items, 16384 links, %d x %d\n", kSize, kSize);
    for (const bool nearby : {true, false}) {
        CNovelModel model;
        bench::MakeLargeChart(model, nearby);
        const ChartScene scene{.model = &model,
                               .currentItem = 5,
                               .selection = &selection,
                               .markName = &mark,
                               .nameFont = font.Get(),
                               .currentNameFont = bold.Get(),
                               .markImages = marks.Get()};
        std::printf("-- links %s\n", nearby ? "to nearby items" : "across the chart");
        Measure("plain fill of the bitmap", [&] {
            const RECT all{0, 0, kSize, kSize};
            FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            GdiFlush();
        });
        Measure("plain fill of the pixels (memset)", [&] {
            GdiFlush();
            std::memset(pixels, 0xFF, BmpRowBytes(kSize) * kSize);
        });
        {
            const RasterTarget target{
                static_cast<std::uint8_t*>(pixels), BmpRowBytes(kSize), kSize, kSize, {0, 0}};
            Measure("part: visible links", [&] { (void)VisibleLinks(model.Items); });
            const auto links = VisibleLinks(model.Items);
            Measure("part: raster links",
                    [&] { RasterLinks(target, model.Items, links, 0xFF0000, 0xFF); });
            // The links' two phases apart, their heads kept as the chart window keeps them,
            // and the walk in bands of a few sizes.
            LinkCache cache;
            LinkWork work;
            Measure("part: links, prepare", [&] {
                LinkBands bands(target, 128, model.Items, links, 0xFF0000, 0xFF, cache, work);
            });
            for (const int rows : {16, 32, 64, 128}) {
                char name[64];
                std::snprintf(name, sizeof name, "part: links, %d-row bands", rows);
                Measure(name, [&] {
                    LinkBands bands(target, rows, model.Items, links, 0xFF0000, 0xFF, cache, work);
                    for (int band = 0; band < bands.BandCount(); ++band) {
                        bands.DrawBand(band);
                    }
                });
            }
            ChartStamps st(font.Get(), bold.Get());
            Measure("part: box stamps", [&] {
                for (int i = 0; i < model.Items.Count(); ++i) {
                    FillStamp(target, st.shadow, {model.Items[i].X, model.Items[i].Y}, 0x808080);
                    FillStamp(target, st.body, {model.Items[i].X, model.Items[i].Y}, 0xFFFFC0);
                }
            });
            Measure("part: first captures of the names", [&] {
                ChartStamps fresh(font.Get(), bold.Get());
                for (int i = 0; i < model.Items.Count(); ++i) {
                    (void)fresh.Name(model.Items[i].Name, false);
                }
            });
            Measure("part: stamps made", [&] { ChartStamps fresh(font.Get(), bold.Get()); });
            Measure("part: names", [&] {
                for (int i = 0; i < model.Items.Count(); ++i) {
                    DarkenStamp(target, st.Name(model.Items[i].Name, false),
                                {model.Items[i].X, model.Items[i].Y});
                }
            });
        }
        Measure(
            "repaint, links by GDI (before)",
            [&] {
                PaintChart(dc, scene, {0, 0}, kSize, kSize);
                GdiFlush();
            },
            7);
        Measure("repaint, links into the pixels", [&] {
            PaintChart(dc, scene, {0, 0}, kSize, kSize, static_cast<std::uint8_t*>(pixels),
                       BmpRowBytes(kSize));
            GdiFlush();
        });
        Measure("first repaint (nothing kept)", [&] {
            ChartStamps fresh(font.Get(), bold.Get());
            ChartScene first = scene;
            first.stamps = &fresh;
            PaintChart(dc, first, {0, 0}, kSize, kSize, static_cast<std::uint8_t*>(pixels),
                       BmpRowBytes(kSize));
            GdiFlush();
        });
        ChartStamps oneCore(font.Get(), bold.Get(), false);
        ChartScene stampedOnOneCore = scene;
        stampedOnOneCore.stamps = &oneCore;
        Measure("repaint, everything stamped, one core", [&] {
            PaintChart(dc, stampedOnOneCore, {0, 0}, kSize, kSize,
                       static_cast<std::uint8_t*>(pixels), BmpRowBytes(kSize));
            GdiFlush();
        });
        ChartStamps stamps(font.Get(), bold.Get());
        ChartScene stamped = scene;
        stamped.stamps = &stamps;
        Measure("repaint, everything stamped (after)", [&] {
            PaintChart(dc, stamped, {0, 0}, kSize, kSize, static_cast<std::uint8_t*>(pixels),
                       BmpRowBytes(kSize));
            GdiFlush();
        });
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return 0;
}

} // namespace
} // namespace miravo

// An argument limits the run to the measures whose name holds it ("stamped", "part:").
int main(int argc, char** argv) {
    if (argc > 1) {
        miravo::filter = argv[1];
    }
    return miravo::Run();
}
