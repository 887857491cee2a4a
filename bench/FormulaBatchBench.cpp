// A million evaluations of sin(z)^2 + 1/(z-1) by the block evaluation of a compiled formula,
// against the expression written out with std::complex and against one point at a time.
#include <benchmark/benchmark.h>

#include "Ratios.h"

#include <algorithm>
#include <complex>
#include <cstddef>
#include <vector>

#include "formula/FormulaParser.h"

namespace {

using C = std::complex<double>;

// The points of the std::complex baseline (FormulaBench.cpp), spread over the plane the views
// show.
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

void BM_FormulaBatchSinSquared(benchmark::State& state) {
    const std::vector<C>& points = samples();
    zw::FormulaProgram program;
    zw::FormulaError error;
    if (!zw::FormulaParser::compile("sin(z)^2 + 1/(z-1)", "z", program, error)) {
        state.SkipWithError(error.message.c_str());
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

}  // namespace
