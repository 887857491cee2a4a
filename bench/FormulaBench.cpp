// A typed formula against the same function built in: a shading rebuild with exp(z) against
// the catalogue's Exponentiate, and a million evaluations of sin(z)^2 + 1/(z-1) against the
// expression written out with std::complex, one point at a time and a block of points at a time.
#include <benchmark/benchmark.h>

#include "Ratios.h"

#include <algorithm>
#include <complex>
#include <cstddef>
#include <string>
#include <vector>

#include "Planes.h"
#include "engine/Transformations.h"
#include "formula/FormulaParser.h"

namespace {

using C = std::complex<double>;

struct ShadedPlane : zw::bench::Planes {
    ShadedPlane() {
        domain.showContours = true;
        domain.showArguments = true;
    }
};

void shade(benchmark::State& state, ShadedPlane& plane) {
    for (auto _ : state) {
        plane.domain.constructContours();
        benchmark::DoNotOptimize(plane.domain.contours.data());
    }
    state.counters["boxes"] = static_cast<double>(plane.domain.contours.size());
}

void BM_ShadingExponentiate(benchmark::State& state) {
    ShadedPlane plane;
    plane.transformations.setFunction("Exponentiate");
    shade(state, plane);
}
BENCHMARK(BM_ShadingExponentiate)->Unit(benchmark::kMillisecond);

void BM_ShadingFormulaExp(benchmark::State& state) {
    ShadedPlane plane;
    std::string error;
    if (!plane.transformations.setFormula("exp(z)", "", error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    shade(state, plane);
}
BENCHMARK(BM_ShadingFormulaExp)->Unit(benchmark::kMillisecond);

// The same million points for both, spread over the plane the views show.
const std::vector<C>& samples() {
    static const std::vector<C> points = [] {
        std::vector<C> result;
        result.reserve(1000000);
        for (int i = 0; i < 1000; ++i) {
            for (int j = 0; j < 1000; ++j) {
                result.emplace_back(-4.0 + 0.008 * i + 0.0001, -3.0 + 0.006 * j + 0.0001);
            }
        }
        return result;
    }();
    return points;
}

// The formula both formula benchmarks evaluate; false, with the benchmark stopped, if it does
// not compile.
bool compileSinSquared(benchmark::State& state, zw::FormulaProgram& program) {
    zw::FormulaError error;
    if (!zw::FormulaParser::compile("sin(z)^2 + 1/(z-1)", "z", program, error)) {
        state.SkipWithError(error.message.c_str());
        return false;
    }
    return true;
}

void BM_ComplexSinSquared(benchmark::State& state) {
    const std::vector<C>& points = samples();
    for (auto _ : state) {
        C total = 0;
        for (C z : points) {
            const C s = std::sin(z);
            total += s * s + 1.0 / (z - 1.0);
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ComplexSinSquared)->Unit(benchmark::kMillisecond);

void BM_FormulaSinSquared(benchmark::State& state) {
    const std::vector<C>& points = samples();
    zw::FormulaProgram program;
    if (!compileSinSquared(state, program)) {
        return;
    }
    for (auto _ : state) {
        C total = 0;
        for (C z : points) {
            total += program.evaluate(z);
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_FormulaSinSquared)->Unit(benchmark::kMillisecond);

void BM_FormulaBatchSinSquared(benchmark::State& state) {
    const std::vector<C>& points = samples();
    zw::FormulaProgram program;
    if (!compileSinSquared(state, program)) {
        return;
    }
    // A row's worth at a time, as a caller walking the plane asks, each row's values left in
    // memory for whatever uses them next.
    constexpr std::size_t kRow = 1024;
    std::vector<C> values(kRow);
    for (auto _ : state) {
        for (std::size_t start = 0; start < points.size(); start += kRow) {
            const std::size_t n = std::min(kRow, points.size() - start);
            program.evaluate(points.data() + start, values.data(), n);
            benchmark::DoNotOptimize(values.data());
            benchmark::ClobberMemory();
        }
    }
}
BENCHMARK(BM_FormulaBatchSinSquared)->Unit(benchmark::kMillisecond);

const int kM3 = zw::bench::addRatio("M3 sin(z)^2 + 1/(z-1), formula in blocks / std::complex",
                                    "BM_FormulaBatchSinSquared", "BM_ComplexSinSquared", 1.0);
const int kM3Scalar =
    zw::bench::addRatio("M3 sin(z)^2 + 1/(z-1), formula in blocks / one point at a time",
                        "BM_FormulaBatchSinSquared", "BM_FormulaSinSquared");

const int kF1 = zw::bench::addRatio("F1 shading, formula exp(z) / Exponentiate",
                                    "BM_ShadingFormulaExp", "BM_ShadingExponentiate", 1.5);
const int kF2 = zw::bench::addRatio("F2 sin(z)^2 + 1/(z-1), formula / std::complex",
                                    "BM_FormulaSinSquared", "BM_ComplexSinSquared", 1.5);

}  // namespace
