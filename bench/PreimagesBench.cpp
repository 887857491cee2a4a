// Going back from w to z: a fresh scan for every preimage of one w under z^5 − z over an 800 by
// 800 view at scale factor 1 (100 pixels a unit: [-4, 4] each way, with a margin of a twentieth),
// against 40,000 evaluations of the same function with its derivative on a 200 by 200 lattice of
// that view: as many as a shading walk with boxes of 4 pixels makes, without the colouring (a
// stand-in for the walk itself, which needs the whole view to be set up).
#include <benchmark/benchmark.h>

#include "Ratios.h"

#include <complex>

#include "formula/FormulaParser.h"
#include "roots/Preimages.h"
#include "roots/SolverMaps.h"

namespace {

using C = std::complex<double>;

const zw::CGRect kRegion{{-4.2, -4.2}, {8.4, 8.4}};

zw::roots::Map quintic() {
    zw::FormulaProgram program;
    zw::FormulaError error;
    zw::FormulaParser::compile("z^5 - z", "z", program, error);
    return zw::roots::formulaMap(program);
}

void BM_PreimageScanQuintic(benchmark::State& state) {
    const zw::roots::Map f = quintic();
    long evaluations = 0;
    std::size_t found = 0;
    for (auto _ : state) {
        const zw::roots::PreimageSet set = zw::roots::findPreimages(f, C(0.3, -0.2), kRegion);
        evaluations = set.evaluations;
        found = set.points.size();
        benchmark::DoNotOptimize(set.points.data());
    }
    state.counters["evaluations"] = static_cast<double>(evaluations);
    state.counters["preimages"] = static_cast<double>(found);
    if (found != 5) {
        state.SkipWithError("z^5 - z should have five preimages");
    }
}
BENCHMARK(BM_PreimageScanQuintic)->Unit(benchmark::kMillisecond);

void BM_FortyThousandEvaluations(benchmark::State& state) {
    const zw::roots::Map f = quintic();
    for (auto _ : state) {
        C total = 0;
        for (int i = 0; i < 200; ++i) {
            for (int j = 0; j < 200; ++j) {
                const C z(-4.0 + 0.04 * i + 0.02, -4.0 + 0.04 * j + 0.02);
                const zw::Jet jet = f(z);
                total += jet.value + jet.dz;
            }
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_FortyThousandEvaluations)->Unit(benchmark::kMillisecond);

const int kScan = zw::bench::addRatio("fresh preimage scan of z^5 - z / 40,000 evaluations",
                                      "BM_PreimageScanQuintic", "BM_FortyThousandEvaluations", 1.5);

}  // namespace
