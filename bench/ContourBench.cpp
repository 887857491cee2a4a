// Shading rebuild cost, reported against a bare loop in the same run: the bare loop makes the
// same evaluations of f and the same colour arithmetic into a plain array, so the ratio of the
// two times is what the views add (box walk, coordinate conversion, list of values).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "Planes.h"
#include "Ratios.h"
#include "engine/Transformations.h"

namespace {

struct Plane : zw::bench::Planes {
    Plane() {
        domain.showContours = true;
        domain.showArguments = true;
    }
};

void BM_ConstructContours(benchmark::State& state) {
    Plane plane;
    for (auto _ : state) {
        plane.domain.constructContours();
        benchmark::DoNotOptimize(plane.domain.contours.data());
    }
    state.counters["boxes"] = static_cast<double>(plane.domain.contours.size());
    state.SetItemsProcessed(state.iterations() *
                            static_cast<int64_t>(plane.domain.contours.size()));
}
BENCHMARK(BM_ConstructContours)->Unit(benchmark::kMillisecond);

// Baseline: the same number of samples over the same area, evaluated and coloured directly.
void BM_BareShadingLoop(benchmark::State& state) {
    zw::Transformations transformations;
    transformations.setFunction("Exponentiate");
    struct Rgb {
        float r, b;
    };
    std::vector<Rgb> out;
    for (auto _ : state) {
        out.clear();
        for (int pass = 0; pass < 4; ++pass) {
            for (int i = 0; i < 52; ++i) {
                for (int j = 0; j < 52; ++j) {
                    const zw::CGPoint z{(j * 4 + 2 - 200) / 100.0, (i * 4 + 2 - 200) / 100.0};
                    const zw::CGPoint w = transformations.transform(z);
                    const float v =
                        1.0f - static_cast<float>(std::atan(std::sqrt(w.x * w.x + w.y * w.y)) / 2);
                    const zw::CGPoint w2 = transformations.transform(z);
                    const float h = std::fabs(static_cast<float>(std::atan2(w2.y, w2.x) * 180.0 /
                                                                 3.141592653589793)) /
                                    180.0f;
                    out.push_back({(1 - h) * v * 1.5f, h * v * 1.5f});
                }
            }
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(out.size()));
}
BENCHMARK(BM_BareShadingLoop)->Unit(benchmark::kMillisecond);
const int kSmall = zw::bench::addRatio("shading rebuild 400x400 box 4, Exponentiate",
                                       "BM_ConstructContours", "BM_BareShadingLoop");

// The finest shading of a large domain, combined mode, under functions of different cost.
struct LargeShaded : zw::bench::Planes {
    explicit LargeShaded(const char* function) : Planes({800, 800}) {
        transformations.setFunction(function);
        domain.showContours = true;
        domain.showArguments = true;
        domain.highestResolution = true;
    }
};

void BM_LargeShadingRebuild(benchmark::State& state, const char* function) {
    LargeShaded plane(function);
    for (auto _ : state) {
        plane.domain.constructContours();
        benchmark::DoNotOptimize(plane.domain.contours.data());
    }
    state.counters["boxes"] = static_cast<double>(plane.domain.contours.size());
}

// Baseline: the sample points of the four quadrant walks from the centre of an 800 by 800
// view at box size 2, each evaluated twice (modulus, then argument) and coloured as combined
// shading colours, into a plain array.
void BM_LargeBareShading(benchmark::State& state, const char* function) {
    zw::Transformations transformations;
    transformations.setFunction(function);
    constexpr int kHalf = 400;
    constexpr int kStep = 2;
    constexpr int kCount = 2 + kHalf / kStep;  // i <= 1 + half / step
    struct Rgb {
        float r, b;
    };
    std::vector<Rgb> out;
    out.reserve(4 * kCount * kCount);
    for (auto _ : state) {
        out.clear();
        for (int pass = 0; pass < 4; ++pass) {
            const int tx = pass < 2 ? 1 : -1;
            const int ty = pass % 2 == 0 ? 1 : -1;
            for (int i = 0; i < kCount; ++i) {
                const double y = (ty * i * kStep + kStep / 2) / 100.0;
                for (int j = 0; j < kCount; ++j) {
                    const zw::CGPoint z{(tx * j * kStep + kStep / 2) / 100.0, y};
                    const zw::CGPoint w = transformations.transform(z);
                    const float v = 1.0f - static_cast<float>(
                                               std::atan(std::sqrt(w.x * w.x + w.y * w.y)) / 2.0);
                    const zw::CGPoint w2 = transformations.transform(z);
                    const float h = std::fabs(static_cast<float>(std::atan2(w2.y, w2.x) * 180.0 /
                                                                 3.141592653589793)) /
                                    180.0f;
                    out.push_back({(1.0f - h) * v * 3.0f / 2.0f, h * v * 3.0f / 2.0f});
                }
            }
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["samples"] = static_cast<double>(out.size());
}

#define ZW_LARGE_SHADING(tag, title)                                                      \
    BENCHMARK_CAPTURE(BM_LargeShadingRebuild, tag, title)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(BM_LargeBareShading, tag, title)->Unit(benchmark::kMillisecond);    \
    const int kLarge##tag =                                                               \
        zw::bench::addRatio("P1 shading rebuild 800x800 box 2, " title,                   \
                            "BM_LargeShadingRebuild/" #tag, "BM_LargeBareShading/" #tag, 1.3);
ZW_LARGE_SHADING(Exponentiate, "Exponentiate")
ZW_LARGE_SHADING(Tan, "Tan")
ZW_LARGE_SHADING(Invert, "Invert")
#undef ZW_LARGE_SHADING

// Rebuilding the images of the domain's grid, as every pan or zoom does.
void BM_TransformedGridlines(benchmark::State& state) {
    Plane plane;
    plane.domain.showContours = false;
    plane.domain.showArguments = false;
    for (auto _ : state) {
        plane.controller.constructTransformedGridlines();
        benchmark::DoNotOptimize(plane.range.transformedGridlines.data());
    }
}
BENCHMARK(BM_TransformedGridlines)->Unit(benchmark::kMicrosecond);

}  // namespace
