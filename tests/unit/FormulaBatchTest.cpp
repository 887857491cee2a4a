// A formula evaluated a block of points at a time gives, at every point, the bits the one-point
// evaluation gives: over every instruction, at seeded points of every size, at the special
// values where std::complex takes its slow paths, and whatever the number of points.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "formula/FormulaBatch.h"
#include "formula/FormulaParser.h"

namespace zw {
namespace {

using C = std::complex<double>;
using Op = FormulaProgram::Op;

FormulaProgram compiled(const std::string& text) {
    FormulaProgram program;
    FormulaError error;
    EXPECT_TRUE(FormulaParser::compile(text, "z", program, error)) << text << ": " << error.message;
    return program;
}

std::uint64_t bits(double v) {
    std::uint64_t b = 0;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// The same bits, or NaN in both (the payload of a NaN is not the program's to choose).
bool identical(double a, double b) {
    return bits(a) == bits(b) || (std::isnan(a) && std::isnan(b));
}

// Each row brings in the instructions its comment names (the test checks that together they
// bring in every one).
const std::vector<std::string>& everyInstruction() {
    // clang-format off
    static const std::vector<std::string> formulas = {
        "z", "x", "y", "2+3i",                              // Variable, Real, Imag, Constant
        "z + sin(z)", "z - sin(z)", "z sin(z)",             // Add, Sub, Mul
        "z / sin(z)", "z ^ sin(z)", "(-2)^z",               // Div, Pow
        "z + (0.5-2i)", "z - (0.5-2i)", "(0.5-2i) - z",     // AddConstant, SubConstant, ConstantSub
        "z (0.5-2i)", "z / (0.5-2i)", "(0.5-2i) / z",       // MulConstant, DivConstant, ConstantDiv
        "z + 1", "z - 1", "1 - z", "3z", "z / 3",           // AddReal ... DivReal
        "z + 2i", "z - 2i", "2i - z", "2i z", "z / (2i)",   // AddImag ... DivImag
        "z^(1+i)", "z^0.3", "2^z",                          // PowConstant, PowReal, RealPow
        "z^5", "z^-3", "z^0", "z^-1", "z^2", "z^3", "-z",   // PowInt, Square, Cube, Negate
        "sin(z)", "cos(z)", "tan(z)", "sinh(z)", "cosh(z)", "tanh(z)",
        "asin(z)", "acos(z)", "atan(z)", "asinh(z)", "acosh(z)", "atanh(z)",
        "exp(z)", "log(z)", "sqrt(z)", "abs(z)", "arg(z)", "conj(z)", "re(z)", "im(z)",
        // Deeper stacks and mixed work.
        "sin(z)^2 + 1/(z-1)", "(z^2 + 1) / (z^2 - 1)", "z^7 - 3z^4 + z/(z+2i) - 5",
        "exp(1/z) * conj(z) - log(z^3)", "(x + y) / (x - y)", "1/z/z/z",
        // Lane-by-lane work on two slots run together: with work on the lower slot between
        // (run after the pair), above it (run before), and chains of them.
        "exp(z) * log(z + 1)", "sqrt(z)^2 - (1+2i)/(z^3 + 2)", "sin(cos(z)) + tan(z)/(2+i)",
        "z^(1+i) + 2^z * abs(z^2 - arg(z))", "atan(z) - (asinh(z) + (acosh(z) - atanh(z)))",
    };
    // clang-format on
    return formulas;
}

// Seeded points of every size, from the subnormal to near overflow, then the values where
// products and quotients take their slow paths: zeros of either sign, infinities, NaN, the
// ends of the range, and the branch cuts and poles of the functions.
std::vector<C> points() {
    std::vector<C> result;
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> mantissa(-2.0, 2.0);
    std::uniform_int_distribution<int> exponent(-1074, 1023);
    std::uniform_real_distribution<double> plane(-4.0, 4.0);
    for (int k = 0; k < 1500; ++k) {
        result.emplace_back(plane(random), plane(random));
    }
    for (int k = 0; k < 1500; ++k) {
        const double x = std::ldexp(mantissa(random), exponent(random) / (k % 3 + 1));
        result.emplace_back(x, std::ldexp(mantissa(random), exponent(random) / (k % 4 + 1)));
    }
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double parts[] = {
        0.0,    -0.0,    1.0,     -1.0,     2.0,    -3.0,     1.5707963267948966,
        1e-300, -1e-300, 5e-324,  1e300,    -1e300, 0x1p-250, 0x1p250,
        1e-12,  -1e-12,  1.7e308, -1.7e308, inf,    -inf,     nan};
    for (double re : parts) {
        for (double im : parts) {
            result.emplace_back(re, im);
        }
    }
    // Where sin, cos, sinh and cosh change how they work out the hyperbolic part.
    for (double edge : {0.9999999999999999, -1.0, 708.9, -709.5}) {
        for (double other : {0.5, -2.0}) {
            result.emplace_back(edge, other);
            result.emplace_back(other, edge);
        }
    }
    return result;
}

// Every point of w against the one-point evaluation; at most a few failures per formula.
void expectIdentical(const std::string& text, const FormulaProgram& program,
                     const std::vector<C>& z, const std::vector<C>& w) {
    int faults = 0;
    for (std::size_t k = 0; k < z.size(); ++k) {
        const C want = program.evaluate(z[k]);
        if (!(identical(w[k].real(), want.real()) && identical(w[k].imag(), want.imag())) &&
            ++faults <= 3) {
            ADD_FAILURE() << text << " at " << z[k] << ": " << w[k] << ", one at a time " << want;
        }
    }
}

TEST(FormulaBatch, EveryInstructionGivesTheOnePointBits) {
    const std::vector<C> z = points();
    std::set<int> covered;
    for (const std::string& text : everyInstruction()) {
        const FormulaProgram program = compiled(text);
        for (const FormulaProgram::Instruction& in : program.instructions()) {
            covered.insert(static_cast<int>(in.op));
        }
        std::vector<C> w(z.size());
        program.evaluate(z.data(), w.data(), z.size());
        expectIdentical(text, program, z, w);
    }
    for (int op = 0; op <= static_cast<int>(Op::Im); ++op) {
        EXPECT_EQ(covered.count(op), 1u) << "no formula brings in instruction " << op;
    }
}

// Products and quotients of parts of every size, where the library recovers infinities from
// NaN, scales tiny or huge operands, or picks its pivot by a tie.
TEST(FormulaBatch, ProductsAndQuotientsOfEverySize) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    std::uniform_int_distribution<int> exponent(-330, 330);
    std::uniform_int_distribution<int> pick(0, 9);
    const auto part = [&] {
        const int kind = pick(random);
        const double sign = (random() & 1u) != 0 ? -1.0 : 1.0;
        if (kind == 0) {
            return sign * 0.0;
        }
        // Often the same size as another part: |c| = |d| picks the pivot by a tie.
        return sign * std::ldexp(kind == 1 ? 1.0 : mantissa(random), exponent(random));
    };
    std::vector<C> z;
    for (int k = 0; k < 20000; ++k) {
        z.emplace_back(part(), part());
    }
    for (const char* text : {"1/z", "(2+3i)/z", "z/(0.5-2i)", "(z+1)/(z-1i)", "z/conj(z)",
                             "z conj(z)", "z^2 (2+3i)", "z^-5", "(z+1)(z-1i)"}) {
        const FormulaProgram program = compiled(text);
        std::vector<C> w(z.size());
        program.evaluate(z.data(), w.data(), z.size());
        expectIdentical(text, program, z, w);
    }
}

// Any count: none, one, a block less one, a block, a block and one, evaluated in place too.
TEST(FormulaBatch, AnyNumberOfPointsAndInPlace) {
    const FormulaProgram program = compiled("sin(z)^2 + 1/(z-1) + z^-4");
    const std::vector<C> all = points();
    for (std::size_t n : {std::size_t{0}, std::size_t{1}, batch::kBlock - 1, batch::kBlock,
                          batch::kBlock + 1, 3 * batch::kBlock + 5}) {
        const std::vector<C> z(all.begin() + 100, all.begin() + 100 + static_cast<long>(n));
        std::vector<C> w(n + 1, C(42.0, 42.0));
        program.evaluate(z.data(), w.data(), n);
        expectIdentical("n = " + std::to_string(n), program, z, w);
        EXPECT_EQ(w[n], C(42.0, 42.0)) << "wrote past " << n << " points";
        std::vector<C> inPlace = z;
        program.evaluate(inPlace.data(), inPlace.data(), n);
        expectIdentical("in place, n = " + std::to_string(n), program, z, inPlace);
    }
    // A program with nothing in it is zero everywhere, as one point at a time.
    const FormulaProgram none;
    C w(1.0, 1.0);
    const C z(2.0, 3.0);
    none.evaluate(&z, &w, 1);
    EXPECT_EQ(w, none.evaluate(z));
}

// Parameters are constants by the time the program runs: the block path sees their values as
// the one-point path does.
TEST(FormulaBatch, ParametersAtTheirValues) {
    const std::vector<C> z = points();
    const ParameterValues values{{"a", C(0.7, 0)}, {"b", C(0.3, -0.4)}, {"k", C(2.5, 0)}};
    for (const char* text : {"exp(a z) + z^2", "(z - b)/(1 - conj(b) z)", "z^k + a/(z - b)"}) {
        FormulaProgram program;
        FormulaError error;
        ASSERT_TRUE(FormulaParser::compile(text, "z", program, error, values)) << text;
        std::vector<C> w(z.size());
        program.evaluate(z.data(), w.data(), z.size());
        expectIdentical(text, program, z, w);
        EXPECT_NE(program.evaluate(C(0.5, 0.5)), compiled(text).evaluate(C(0.5, 0.5)))
            << text << ": the values, not the defaults";
    }
}

}  // namespace
}  // namespace zw
