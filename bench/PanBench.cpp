// What one mouse event of a drag pan costs on a shaded domain of 500 by 560 (a pane of the
// default window): rebuilding everything, as a pan key does, against moving what goes through
// f and rebuilding only the axes and the plane's own grid (the live pan). Each includes the
// complete drawing pass the event asks for. Under Every Pixel, a live pan's frame against the
// same frame shaded afresh.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <memory>

#include "Planes.h"
#include "Ratios.h"
#include "qt/QtCanvas.h"

namespace {

// Text needs a GUI application; the benchmarks draw offscreen.
void ensureApplication() {
    static std::unique_ptr<QGuiApplication> app = [] {
        if (QCoreApplication::instance() != nullptr) {  // zwbench's main made one
            return std::unique_ptr<QGuiApplication>();
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "zwbench";
        static char* argv[] = {name, nullptr};
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
}

struct ShadedPlanes {
    zw::bench::Planes planes{{500, 560}};
    zw::DomainView& domain = planes.domain;
    zw::RangeView& range = planes.range;
    QImage domainImage{500, 560, QImage::Format_RGB32};
    QImage rangeImage{500, 560, QImage::Format_RGB32};

    explicit ShadedPlanes(bool finest, bool everyPixel = false) {
        ensureApplication();
        domain.showContours = true;
        domain.highestResolution = finest;
        if (everyPixel) {
            domain.showArguments = true;
            domain.shadingResolution = zw::ShadingResolution::EveryPixel;
        }
        domain.constructAxes();
    }

    void draw() {
        zw::QtCanvas domainCanvas(&domainImage);
        domain.drawRect(domainCanvas, {{0, 0}, {500, 560}});
        zw::QtCanvas rangeCanvas(&rangeImage);
        range.drawRect(rangeCanvas, {{0, 0}, {500, 560}});
    }
};

void panEvents(benchmark::State& state, bool live, bool finest) {
    ShadedPlanes planes(finest);
    double step = 3.0;
    for (auto _ : state) {
        // Back and forth, so the view stays where the shading is.
        step = -step;
        if (live) {
            planes.domain.livePanBy(step, 2.0 * step);
        } else {
            planes.domain.panBy(step, 2.0 * step);
        }
        planes.draw();
    }
    state.counters["boxes"] = static_cast<double>(planes.domain.contours.size());
}

void BM_PanRebuild(benchmark::State& state) {
    panEvents(state, false, false);
}
void BM_PanLive(benchmark::State& state) {
    panEvents(state, true, false);
}
void BM_PanRebuildFinest(benchmark::State& state) {
    panEvents(state, false, true);
}
void BM_PanLiveFinest(benchmark::State& state) {
    panEvents(state, true, true);
}
// Every Pixel: one frame of a live pan, which moves the pixels kept from the frame before and
// shades the strips uncovered, against the frame of a pane shaded afresh at the same view.
void everyPixelFrames(benchmark::State& state, bool live) {
    ShadedPlanes planes(false, true);
    planes.draw();
    const std::size_t shaded = planes.domain.pixelsShaded();
    double step = 3.0;
    for (auto _ : state) {
        step = -step;
        planes.domain.livePanBy(step, 2.0 * step);
        if (!live) {
            planes.domain.constructContours();
        }
        planes.draw();
    }
    state.counters["pixels"] =
        benchmark::Counter(static_cast<double>(planes.domain.pixelsShaded() - shaded),
                           benchmark::Counter::kAvgIterations);
}
void BM_EveryPixelFresh(benchmark::State& state) {
    everyPixelFrames(state, false);
}
void BM_EveryPixelPanLive(benchmark::State& state) {
    everyPixelFrames(state, true);
}

BENCHMARK(BM_PanRebuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanLive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanRebuildFinest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanLiveFinest)->Unit(benchmark::kMillisecond);
const int kPan = zw::bench::addRatio("pan, rebuild / live", "BM_PanRebuild", "BM_PanLive");
BENCHMARK(BM_EveryPixelFresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EveryPixelPanLive)->Unit(benchmark::kMillisecond);
const int kEveryPixel = zw::bench::addRatio("pan at every pixel, live frame / shaded afresh",
                                            "BM_EveryPixelPanLive", "BM_EveryPixelFresh");
const int kPanFinest = zw::bench::addRatio("pan at the finest boxes, rebuild / live",
                                           "BM_PanRebuildFinest", "BM_PanLiveFinest");

}  // namespace
