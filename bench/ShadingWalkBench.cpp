// The shading rebuild with the plane's origin panned above and right of the view, against the
// same rebuild with the origin at the view's centre, in the same run: the passes should make
// no more boxes, and take no longer, when they start outside the view. Both make about the
// same boxes, so the ratio sits near 1; the goal leaves room for the noise of a shared machine
// (a walk that made the boxes it does not need was 1.8).
#include <benchmark/benchmark.h>

#include "Planes.h"
#include "Ratios.h"

namespace {

void rebuildWithOriginAt(benchmark::State& state, zw::CGPoint translation) {
    zw::bench::Planes plane;
    plane.domain.windowWillResize(nullptr, {1000, 800});
    plane.domain.showContours = true;
    plane.domain.highestResolution = true;
    plane.domain.translation = translation;
    for (auto _ : state) {
        plane.domain.constructContours();
        benchmark::DoNotOptimize(plane.domain.contours.data());
    }
    state.counters["boxes"] = static_cast<double>(plane.domain.contours.size());
}

void BM_ShadingRebuildCentred(benchmark::State& state) {
    rebuildWithOriginAt(state, {0, 0});
}
BENCHMARK(BM_ShadingRebuildCentred)->Unit(benchmark::kMillisecond);

// Eight pan steps away: the origin lies 300 units right of and 400 above the view's edges.
void BM_ShadingRebuildPannedAway(benchmark::State& state) {
    rebuildWithOriginAt(state, {800, 800});
}
BENCHMARK(BM_ShadingRebuildPannedAway)->Unit(benchmark::kMillisecond);
const int kPannedAway =
    zw::bench::addRatio("shading rebuild, origin panned away / centred",
                        "BM_ShadingRebuildPannedAway", "BM_ShadingRebuildCentred", 1.2);

}  // namespace
