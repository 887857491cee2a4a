// The colour wheel against the classic colours: the same boxes rebuilt in the same run, once
// per scheme, for each of the three shading modes. The figure is the ratio of the two times.
#include <benchmark/benchmark.h>

#include <string>

#include "Ratios.h"

#include "Planes.h"

namespace {

// range(0): 1 modulus, 2 argument, 3 both; range(1): 0 classic, 1 colour wheel.
void BM_ShadingRebuild(benchmark::State& state) {
    zw::bench::Planes planes;
    planes.domain.showContours = (state.range(0) & 1) != 0;
    planes.domain.showArguments = (state.range(0) & 2) != 0;
    planes.domain.shadingColours =
        state.range(1) != 0 ? zw::ShadingColours::ColourWheel : zw::ShadingColours::Classic;
    for (auto _ : state) {
        planes.domain.constructContours();
        benchmark::DoNotOptimize(planes.domain.contours.data());
    }
    state.SetItemsProcessed(state.iterations() *
                            static_cast<int64_t>(planes.domain.contours.size()));
}
BENCHMARK(BM_ShadingRebuild)
    ->ArgNames({"mode", "wheel"})
    ->ArgsProduct({{1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

const int kWheel = [] {
    const char* const modes[] = {"", "modulus", "argument", "both"};
    for (int m = 1; m <= 3; ++m) {
        const std::string name = "BM_ShadingRebuild/mode:" + std::to_string(m);
        zw::bench::addRatio(std::string("colour wheel / classic, ") + modes[m], name + "/wheel:1",
                            name + "/wheel:0", 1.2);
    }
    return 0;
}();

}  // namespace
