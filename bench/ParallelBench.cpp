// The work that follows a change of f, on every core, in wall time:
//  M1, one frame: an 800 by 800 domain shaded at every pixel under exp(0.5 z) + z^2 (a fixed
//      literal where a parameter will move), the images of the domain's grid and of 20 paths
//      of 500 points, against the same evaluations and colours in a bare loop on one thread;
//  M2, the box shading of a 1600 by 1600 domain at 2-unit boxes, every core against one thread.
// The rest of the run keeps to one thread (main.cpp), so that its processor times stay
// comparable with their baselines.
#include <benchmark/benchmark.h>

#include <QImage>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "Planes.h"
#include "Ratios.h"
#include "engine/FormulaMaps.h"
#include "engine/Transformations.h"
#include "platform/DevicePixel.h"
#include "platform/Parallel.h"
#include "qt/QtCanvas.h"

namespace {

constexpr const char* kFormula = "exp(0.5 z) + z^2";

// Every core for one benchmark; one thread again afterwards, as the rest of the run has it.
struct EveryCore {
    explicit EveryCore(int threads = 0) { zw::parallel::setThreadCount(threads); }
    ~EveryCore() { zw::parallel::setThreadCount(1); }
    EveryCore(const EveryCore&) = delete;
    EveryCore& operator=(const EveryCore&) = delete;
};

struct Frame : zw::bench::Planes {
    QImage image{800, 800, QImage::Format_RGB32};

    Frame() : Planes({800, 800}) {
        std::string error;
        ok = transformations.setFormula(kFormula, "", error);
        domain.showContours = true;
        domain.showArguments = true;
        domain.shadingResolution = zw::ShadingResolution::EveryPixel;
        // 20 loops of 500 points about the origin, some through the view's edge.
        for (int p = 0; p < 20; ++p) {
            std::vector<zw::CGPoint> points;
            for (int k = 0; k < 500; ++k) {
                const double t = 6.283185307179586 * k / 499.0;
                const double r = 0.2 + 0.09 * p;
                points.push_back({r * std::cos(t) + 0.01 * p, 0.8 * r * std::sin(t)});
            }
            ok = ok && domain.addExactPath(points);
        }
    }

    // f changed: the grid images, the paths' images and the shading are made again.
    void draw() {
        domain.constructAxes();
        controller.redrawImagesUnderCurrentFunction(nullptr);
        zw::QtCanvas canvas(&image);
        domain.fillBackground(canvas);
    }

    std::size_t gridSamples() const {
        std::size_t n = 0;
        for (const auto& line : range.transformedGridlines) {
            n += line->elements().size();
        }
        return n;
    }

    bool ok = true;
};

void BM_M1FrameEveryCore(benchmark::State& state) {
    Frame frame;
    if (!frame.ok) {
        state.SkipWithError("the frame could not be set up");
        return;
    }
    const EveryCore cores;
    for (auto _ : state) {
        frame.draw();
        benchmark::DoNotOptimize(frame.image.constBits());
    }
    state.counters["threads"] = zw::parallel::threadCount();
}
BENCHMARK(BM_M1FrameEveryCore)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same evaluations one point at a time on one thread: every pixel's value and colour into
// a plain array, the grid's samples and the paths' points.
void BM_M1BareLoop(benchmark::State& state) {
    Frame frame;
    if (!frame.ok) {
        state.SkipWithError("the frame could not be set up");
        return;
    }
    frame.draw();
    const std::size_t samples = frame.gridSamples() + 20 * 500;
    std::vector<std::uint32_t> pixels(800 * 800);
    std::vector<zw::CGPoint> values(samples);
    const zw::Viewport view = frame.domain.viewport();
    for (auto _ : state) {
        for (int j = 0; j < 800; ++j) {
            for (int i = 0; i < 800; ++i) {
                const zw::CGPoint w = zw::formulaFunction(view.toTrue({i + 0.5, 800 - (j + 0.5)}));
                const float v =
                    1.0f - static_cast<float>(std::atan(std::sqrt(w.x * w.x + w.y * w.y)) / 2.0);
                const float h = std::fabs(static_cast<float>(std::atan2(w.y, w.x) * 180.0 /
                                                             3.141592653589793)) /
                                180.0f;
                pixels[static_cast<std::size_t>(j * 800 + i)] = zw::devicePixel(
                    zw::Color::colorWithDeviceRed((1.0f - h) * v * 1.5f, 0.0, h * v * 1.5f, 1.0));
            }
        }
        for (std::size_t k = 0; k < samples; ++k) {
            values[k] = zw::formulaFunction({0.001 * static_cast<double>(k % 2000), 0.5});
        }
        benchmark::DoNotOptimize(pixels.data());
        benchmark::DoNotOptimize(values.data());
    }
    state.counters["samples"] = static_cast<double>(samples);
}
BENCHMARK(BM_M1BareLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

struct Boxes : zw::bench::Planes {
    Boxes() : Planes({1600, 1600}) {
        std::string error;
        ok = transformations.setFormula(kFormula, "", error);
        domain.showContours = true;
        domain.showArguments = true;
        domain.highestResolution = true;
    }
    bool ok = true;
};

void shadeBoxes(benchmark::State& state, int threads) {
    Boxes plane;
    if (!plane.ok) {
        state.SkipWithError("the formula did not compile");
        return;
    }
    const EveryCore cores(threads);
    // A pane that was shaded before: the rebuild that follows a pan or a zoom, with the list's
    // memory already the program's (the first shading of a pane also pays for getting it).
    plane.domain.constructContours();
    for (auto _ : state) {
        plane.domain.constructContours();
        benchmark::DoNotOptimize(plane.domain.contours.data());
    }
    state.counters["boxes"] = static_cast<double>(plane.domain.contours.size());
    state.counters["threads"] = zw::parallel::threadCount();
}

void BM_M2BoxesEveryCore(benchmark::State& state) {
    shadeBoxes(state, 0);
}
BENCHMARK(BM_M2BoxesEveryCore)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_M2BoxesOneThread(benchmark::State& state) {
    shadeBoxes(state, 1);
}
BENCHMARK(BM_M2BoxesOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();

const int kM1 =
    zw::bench::addRatio("M1 frame at every pixel, every core / bare loop (wall)",
                        "BM_M1FrameEveryCore/real_time", "BM_M1BareLoop/real_time", 0.65);
const int kM2 =
    zw::bench::addRatio("M2 boxes of 1600x1600 at 2, every core / one thread (wall)",
                        "BM_M2BoxesEveryCore/real_time", "BM_M2BoxesOneThread/real_time", 0.6);

}  // namespace
