// Reads four bytes as a point w and the rest as a formula in z (texts that do not compile are
// skipped), then asks the solver for every preimage of w in a region, and follows them to a
// second w. The solver keeps to its budget, so it cannot hang, and every point it reports is a
// preimage to the promised accuracy.
// fuzz runs: 8000
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formula/FormulaParser.h"
#include "roots/Preimages.h"
#include "roots/SolverMaps.h"

namespace {

using C = std::complex<double>;

// A w from two bytes: within ±8, in steps of a sixteenth.
double coordinate(std::uint8_t byte) {
    return (static_cast<int>(byte) - 128) / 16.0;
}

void check(const zw::roots::Map& f, C w, const zw::roots::PreimageSet& set, long budget) {
    if (set.evaluations > budget) {
        __builtin_trap();
    }
    for (const zw::roots::Preimage& p : set.points) {
        const C value = f(p.z).value;
        if (!(std::abs(value - w) <= zw::roots::kTolerance * (1.0 + std::abs(w)))) {
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const C w(coordinate(data[0]), coordinate(data[1]));
    const C next = w + C(coordinate(data[2]), coordinate(data[3])) / 64.0;
    const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);
    zw::FormulaProgram program;
    zw::FormulaError error;
    if (!zw::FormulaParser::compile(text, "z", program, error)) {
        return 0;
    }
    const zw::roots::Map f = zw::roots::formulaMap(program);
    zw::roots::PreimageOptions options;
    options.maxEvaluations = 20000;
    const zw::CGRect region{{-3.0, -2.5}, {6.1, 5.2}};
    const zw::roots::PreimageSet first = zw::roots::findPreimages(f, w, region, options);
    check(f, w, first, options.maxEvaluations);
    const zw::roots::PreimageSet second =
        zw::roots::continuePreimages(f, first, w, next, region, options);
    check(f, next, second, options.maxEvaluations);
    return 0;
}
