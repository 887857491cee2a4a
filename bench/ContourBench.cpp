// Shading rebuild cost, reported against a bare loop in the same run: the bare loop makes the
// same evaluations of f and the same colour arithmetic into a plain array, so the ratio of the
// two times is what the views add (box walk, coordinate conversion, list of values).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "Planes.h"
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
