// G1: rebuilding the images of the domain's grid with curves followed near poles, against
// the same rebuild without, for three functions at 800 by 800. The figure is the ratio.
#include <benchmark/benchmark.h>

#include <string>

#include "Ratios.h"

#include "Planes.h"

namespace {

const char* const kFunctions[] = {"Exponentiate", "exp(1/z)", "Tan"};

// range(0): the function; range(1): 0 off, 1 following curves.
void BM_GridImageRebuild(benchmark::State& state) {
    zw::bench::Planes planes({800, 800});
    planes.transformations.setFunction(kFunctions[state.range(0)]);
    planes.controller.followCurvesNearPoles = state.range(1) != 0;
    std::size_t points = 0;
    for (auto _ : state) {
        planes.controller.constructTransformedGridlines();
        benchmark::DoNotOptimize(planes.range.transformedGridlines.data());
    }
    for (const auto& line : planes.range.transformedGridlines) {
        points += line->elementCount();
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_GridImageRebuild)
    ->ArgNames({"function", "follow"})
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

const int kFollowCurves = [] {
    for (int f = 0; f < 3; ++f) {
        const std::string name = "BM_GridImageRebuild/function:" + std::to_string(f);
        zw::bench::addRatio(std::string("G1 grid images, following / not, ") + kFunctions[f],
                            name + "/follow:1", name + "/follow:0", 4.0);
    }
    return 0;
}();

}  // namespace
