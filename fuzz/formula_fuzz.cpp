// Reads arbitrary bytes as a formula in z and, after the first newline, an inverse in w. A text
// either compiles, and then evaluates anywhere without trouble, or is refused with a message and
// a place inside (or just past) the text. When both compile, the check that the inverse undoes
// the formula runs too.
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "formula/FormulaParser.h"
#include "formula/InverseCheck.h"

namespace {

// Fills program when the text compiles.
bool check(std::string_view text, std::string_view variable, zw::FormulaProgram& program) {
    zw::FormulaError error;
    if (!zw::FormulaParser::compile(text, variable, program, error)) {
        if (error.message.empty() || error.column < 1 ||
            static_cast<std::size_t>(error.column) > text.size() + 1 || error.length < 1 ||
            !program.empty()) {
            __builtin_trap();
        }
        return false;
    }
    if (program.empty() || program.stackSize() > zw::FormulaProgram::kMaxStack) {
        __builtin_trap();
    }
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    using C = std::complex<double>;
    for (C z : {C(0.5, -1.25), C(0, 0), C(1, 0), C(-1, -0.0), C(1e300, 1e300), C(inf, 0),
                C(0, -inf), C(nan, 1)}) {
        volatile double sink = program.evaluate(z).real();
        (void)sink;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    zw::FormulaProgram f;
    zw::FormulaProgram g;
    const bool formula = check(input.substr(0, newline), "z", f);
    if (newline != std::string_view::npos && check(input.substr(newline + 1), "w", g) && formula) {
        const auto miss = zw::inverseMiss(f, g);
        volatile bool missed = miss.has_value();
        (void)missed;
    }
    return 0;
}
