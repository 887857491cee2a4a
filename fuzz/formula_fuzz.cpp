// Reads arbitrary bytes as a formula in z and, after the first newline, an inverse in w. A text
// either compiles, and then evaluates anywhere without trouble, or is refused with a message and
// a place inside (or just past) the text. When both compile, the check that the inverse undoes
// the formula runs too. The block evaluation and the derivative's value must give what the
// one-point evaluation gives, to the bit (any NaN counts as the same NaN).
#include <array>
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#include "formula/FormulaDerivative.h"
#include "formula/FormulaParser.h"
#include "formula/InverseCheck.h"

namespace {

bool sameBits(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

bool sameBits(std::complex<double> a, std::complex<double> b) {
    return sameBits(a.real(), b.real()) && sameBits(a.imag(), b.imag());
}

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
    const std::array<C, 8> points{C(0.5, -1.25),   C(0, 0),   C(1, 0),    C(-1, -0.0),
                                  C(1e300, 1e300), C(inf, 0), C(0, -inf), C(nan, 1)};
    std::array<C, points.size()> block{};
    program.evaluate(points.data(), block.data(), points.size());
    for (std::size_t k = 0; k < points.size(); ++k) {
        const C one = program.evaluate(points[k]);
        if (!sameBits(one, block[k]) ||
            !sameBits(one, zw::FormulaDerivative::evaluate(program, points[k]).value)) {
            __builtin_trap();
        }
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
