// Going back from w to z: a fresh scan for every preimage of one w under z^5 − z over an 800 by
// 800 view at scale factor 1 (100 pixels a unit: [-4, 4] each way, with a margin of a twentieth),
// and the zeros, poles and critical points of a rational function marked over that view, each
// against a rebuild of the same view's shading in boxes of 4 pixels under z^5 − z.
#include <benchmark/benchmark.h>

#include "Planes.h"
#include "Ratios.h"

#include <cmath>
#include <complex>
#include <string>

#include "app/FeatureFinder.h"
#include "formula/FormulaParser.h"
#include "platform/Events.h"
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

// The whole view shaded by modulus in boxes of 4 pixels: 40,000 evaluations, each coloured.
struct QuinticPlanes : zw::bench::Planes {
    explicit QuinticPlanes(const char* formula) : Planes({800, 800}) {
        std::string error;
        controller.setFormula(formula, "", error);
        domain.showContours = true;
    }
};

void BM_QuinticShadingRebuild(benchmark::State& state) {
    QuinticPlanes planes("z^5 - z");
    if (planes.domain.contourBoxSize() != 4) {
        state.SkipWithError("the shading should be in boxes of 4");
    }
    for (auto _ : state) {
        planes.domain.constructContours();
        benchmark::DoNotOptimize(planes.domain.contours.data());
    }
    state.counters["boxes"] = static_cast<double>(planes.domain.contours.size());
}
BENCHMARK(BM_QuinticShadingRebuild)->Unit(benchmark::kMillisecond);

// The marks as the View menu finds them over the view: three scans and the marks made.
void BM_FeatureMarks(benchmark::State& state) {
    QuinticPlanes planes("(z^2-1)(z-2-i)^2/(z^2+2+2i)");
    std::size_t marks = 0;
    for (auto _ : state) {
        zw::FeatureFinder finder;
        finder.refresh(planes.transformations, planes.domain, planes.range);
        marks = planes.domain.featureMarks.size();
        benchmark::DoNotOptimize(planes.domain.featureMarks.data());
    }
    state.counters["marks"] = static_cast<double>(marks);
    // Three zeros, two poles and at least the critical point at the double zero.
    if (marks < 6) {
        state.SkipWithError("the rational function should have at least six marks");
    }
}
BENCHMARK(BM_FeatureMarks)->Unit(benchmark::kMillisecond);

const int kScan = zw::bench::addRatio("fresh preimage scan of z^5 - z / box-4 shading rebuild",
                                      "BM_PreimageScanQuintic", "BM_QuinticShadingRebuild", 1.5);
const int kBare = zw::bench::addRatio("fresh preimage scan of z^5 - z / 40,000 evaluations",
                                      "BM_PreimageScanQuintic", "BM_FortyThousandEvaluations");
const int kMarks = zw::bench::addRatio("zeros, poles and critical points / box-4 shading rebuild",
                                       "BM_FeatureMarks", "BM_QuinticShadingRebuild", 2.0);

}  // namespace

namespace {

// One pointer event of a path drawn in the range under z^5 − z, both planes 800 by 800 at scale
// factor 1: the drawn path and its five preimage branches followed one step on, in small steps
// round a circle of w that keeps the five branches in the domain's view. Against five evaluations
// of f with its derivative (one for each branch): the figure is the evaluations one event costs
// each branch. The path never ends, so the edge's winding number is taken again now and then,
// as it is while drawing.
void BM_RangePathEventQuintic(benchmark::State& state) {
    zw::bench::Planes planes({800, 800});
    std::string error;
    planes.controller.setFormula("z^5 - z", "", error);
    planes.range.allowDrawing = true;
    const auto at = [&planes](double t) {
        const zw::CGPoint w{0.3 + 0.25 * std::cos(t), -0.2 + 0.25 * std::sin(t)};
        return zw::MouseEvent{planes.range.trueCoordinatesToViewCoordinates(w)};
    };
    // Three pixels a step, as a steady hand drags.
    const double step = 3.0 / (100.0 * 0.25);
    double t = 0.0;
    planes.range.mouseDown(at(t));
    long evaluations = 0;
    for (auto _ : state) {
        t += step;
        planes.range.mouseDragged(at(t));
        evaluations += planes.controller.rangeDrawing().preimages().evaluations;
    }
    state.counters["evaluations"] =
        benchmark::Counter(static_cast<double>(evaluations), benchmark::Counter::kAvgIterations);
    const zw::roots::PreimageSet& set = planes.controller.rangeDrawing().preimages();
    state.counters["branches"] = static_cast<double>(set.points.size());
    if (set.points.size() != 5 || planes.domain.preimagePaths.back().size() != 5) {
        state.SkipWithError("z^5 - z should have five branches in view");
    }
    planes.range.mouseUp(at(t));
}
BENCHMARK(BM_RangePathEventQuintic);

void BM_FiveEvaluations(benchmark::State& state) {
    const zw::roots::Map f = quintic();
    C z(0.9, 0.1);
    const C turn = std::polar(1.0, 0.01);
    for (auto _ : state) {
        C total = 0;
        for (int i = 0; i < 5; ++i) {
            const zw::Jet jet = f(z);
            total += jet.value + jet.dz;
            z *= turn;
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_FiveEvaluations);

const int kEvent = zw::bench::addRatio("one range-path event under z^5 - z / 5 evaluations",
                                       "BM_RangePathEventQuintic", "BM_FiveEvaluations", 12.0);

}  // namespace
