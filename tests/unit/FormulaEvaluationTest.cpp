// A compiled formula gives what the same expression gives with std::complex: at seeded points,
// on both sides of every branch cut, and at poles.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "formula/FormulaParser.h"
#include "formula/Trigonometric.h"

namespace zw {
namespace {

using C = std::complex<double>;

FormulaProgram compiled(const std::string& text) {
    FormulaProgram program;
    FormulaError error;
    EXPECT_TRUE(FormulaParser::compile(text, "z", program, error)) << text << ": " << error.message;
    return program;
}

// Equal as values: the same numbers, or NaN where the reference has NaN.
bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}
bool same(C a, C b) {
    return same(a.real(), b.real()) && same(a.imag(), b.imag());
}

// A thousand seeded points over the part of the plane the views show, then the places where
// functions are discontinuous or infinite, approached from either side (signed zeros included).
std::vector<C> points() {
    std::vector<C> result;
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> coordinate(-4.0, 4.0);
    for (int k = 0; k < 1000; ++k) {
        const double x = coordinate(random);
        result.emplace_back(x, coordinate(random));
    }
    const double pi = 3.141592653589793;
    for (double side : {0.0, -0.0, 1e-12, -1e-12}) {
        for (double t : {-3.0, -1.5, -1.0, -0.5, 0.0, 0.5, 1.0, 1.5, 3.0}) {
            result.emplace_back(t, side);  // the real axis: log, sqrt, asin, acos, acosh, atanh
            result.emplace_back(side, t);  // the imaginary axis: atan, asinh
        }
        result.emplace_back(pi / 2, side);  // a pole of tan
        result.emplace_back(side, pi / 2);  // a pole of tanh
    }
    result.emplace_back(1.0, 0.0);
    return result;
}

void expectAgrees(const std::string& text, const std::function<C(C)>& reference) {
    const FormulaProgram program = compiled(text);
    int faults = 0;
    for (C z : points()) {
        const C got = program.evaluate(z);
        const C want = reference(z);
        if (!same(got, want) && ++faults <= 3) {
            ADD_FAILURE() << text << " at " << z << ": " << got << ", wanted " << want;
        }
    }
}

using Functions = std::vector<std::pair<std::string, std::function<C(C)>>>;

// sin, cos, sinh and cosh are the formula's own (TrigonometricTest holds them within a few
// units in the last place of std::complex's); the rest are std::complex's.

const Functions& everyFunction() {
    static const Functions functions = {
        {"sin", [](C z) { return trig::sin(z); }},
        {"cos", [](C z) { return trig::cos(z); }},
        {"tan", [](C z) { return std::tan(z); }},
        {"sinh", [](C z) { return trig::sinh(z); }},
        {"cosh", [](C z) { return trig::cosh(z); }},
        {"tanh", [](C z) { return std::tanh(z); }},
        {"asin", [](C z) { return std::asin(z); }},
        {"acos", [](C z) { return std::acos(z); }},
        {"atan", [](C z) { return std::atan(z); }},
        {"asinh", [](C z) { return std::asinh(z); }},
        {"acosh", [](C z) { return std::acosh(z); }},
        {"atanh", [](C z) { return std::atanh(z); }},
        {"exp", [](C z) { return std::exp(z); }},
        {"log", [](C z) { return std::log(z); }},
        {"sqrt", [](C z) { return std::sqrt(z); }},
        {"conj", [](C z) { return std::conj(z); }},
        {"abs", [](C z) { return C(std::abs(z), 0); }},
        {"arg", [](C z) { return C(std::arg(z), 0); }},
        {"re", [](C z) { return C(z.real(), 0); }},
        {"im", [](C z) { return C(z.imag(), 0); }},
    };
    return functions;
}

TEST(FormulaEvaluation, EveryFunctionAgreesWithStdComplex) {
    for (const auto& [name, reference] : everyFunction()) {
        expectAgrees(name + "(z)", reference);
    }
    expectAgrees("x", [](C z) { return C(z.real(), 0); });
    expectAgrees("y", [](C z) { return C(z.imag(), 0); });
}

TEST(FormulaEvaluation, EveryOperatorAgreesWithStdComplex) {
    const C k(0.5, -2.0);
    expectAgrees("sin(z) + cos(z)", [](C z) { return trig::sin(z) + trig::cos(z); });
    expectAgrees("sin(z) - cos(z)", [](C z) { return trig::sin(z) - trig::cos(z); });
    expectAgrees("sin(z) * cos(z)", [](C z) { return trig::sin(z) * trig::cos(z); });
    expectAgrees("sin(z) / cos(z)", [](C z) { return trig::sin(z) / trig::cos(z); });
    expectAgrees("sin(z) ^ cos(z)", [](C z) { return std::pow(trig::sin(z), trig::cos(z)); });
    expectAgrees("z + (0.5-2i)", [k](C z) { return z + k; });
    expectAgrees("(0.5-2i) - z", [k](C z) { return k - z; });
    expectAgrees("z - (0.5-2i)", [k](C z) { return z - k; });
    expectAgrees("z * (0.5-2i)", [k](C z) { return z * k; });
    expectAgrees("z / (0.5-2i)", [k](C z) { return z / k; });
    expectAgrees("(0.5-2i) / z", [k](C z) { return k / z; });      // a pole at 0
    expectAgrees("1/(z-1)", [](C z) { return 1.0 / (z - 1.0); });  // a pole at 1
    expectAgrees("-z", [](C z) { return -z; });
    // Principal values for exponents that are not whole numbers.
    expectAgrees("z^(0.5-2i)", [k](C z) { return std::pow(z, k); });
    expectAgrees("z^0.7", [](C z) { return std::pow(z, 0.7); });
    expectAgrees("z^z", [](C z) { return std::pow(z, z); });
    expectAgrees("(1+i)^z", [](C z) { return std::pow(C(1, 1), z); });
    expectAgrees("sin(z)^2 + 1/(z-1)", [](C z) {
        const C s = trig::sin(z);
        return s * s + 1.0 / (z - 1.0);
    });
}

// A real constant is a real number, as a double is in C++: -1 is -1+0i (not -1-0i, below the
// cut), and z+1, 1-z, 2z, z/2 keep the signed zeros of z. An imaginary constant acts as an
// imaginary number does (as C's imaginary type): z+2i keeps the sign of Re z, and iz turns z
// exactly.
TEST(FormulaEvaluation, ConstantsActAsRealOrImaginaryNumbers) {
    const auto timesImaginary = [](double b, C z) { return C(-b * z.imag(), b * z.real()); };
    for (const auto& [name, f] : everyFunction()) {
        expectAgrees(name + "(-2)", [&f = f](C) { return f(C(-2.0)); });
        expectAgrees(name + "(-1)", [&f = f](C) { return f(C(-1.0)); });
        expectAgrees(name + "(z+1)", [&f = f](C z) { return f(z + 1.0); });
        expectAgrees(name + "(1-z)", [&f = f](C z) { return f(1.0 - z); });
        expectAgrees(name + "(z-1)", [&f = f](C z) { return f(z - 1.0); });
        expectAgrees(name + "(2z)", [&f = f](C z) { return f(2.0 * z); });
        expectAgrees(name + "(z/2)", [&f = f](C z) { return f(z / 2.0); });
        expectAgrees(name + "(-z-1)", [&f = f](C z) { return f(-z - 1.0); });
        expectAgrees(name + "(z+2i)", [&f = f](C z) { return f(C(z.real(), z.imag() + 2)); });
        expectAgrees(name + "(z-i)", [&f = f](C z) { return f(C(z.real(), z.imag() - 1)); });
        expectAgrees(name + "(i-z)", [&f = f](C z) { return f(C(-z.real(), 1 - z.imag())); });
        expectAgrees(name + "(i z)",
                     [&f = f, timesImaginary](C z) { return f(timesImaginary(1, z)); });
        expectAgrees(name + "(-2i z)",
                     [&f = f, timesImaginary](C z) { return f(timesImaginary(-2, z)); });
        expectAgrees(name + "(z/(2i))",
                     [&f = f](C z) { return f(C(z.imag() / 2, -z.real() / 2)); });
    }
    expectAgrees("sqrt(-1)*z", [timesImaginary](C z) { return timesImaginary(1, z); });
    expectAgrees("(-1)^z", [](C z) { return std::pow(C(-1.0), z); });
    expectAgrees("(-2)^0.5", [](C) { return std::sqrt(C(-2.0)); });
    expectAgrees("-(1-3)", [](C) { return C(2.0); });
    // (-1)^0.5 is i, not its conjugate.
    EXPECT_EQ(compiled("(-1)^z").evaluate(0.5).imag(), 1.0);
    EXPECT_EQ(compiled("log(-1)").evaluate(0), C(0, 3.141592653589793));
    EXPECT_EQ(compiled("sqrt(0-1)").evaluate(0), compiled("sqrt(-1)").evaluate(0));
}

// Powers with a constant base or exponent take the more accurate route that gives the same
// principal value: a positive real base b as b^x·cis(y·ln b), an exponent of one half as sqrt.
TEST(FormulaEvaluation, PowersTakeTheAccurateRoute) {
    expectAgrees("2^z", [](C z) { return std::pow(2.0, z); });
    expectAgrees("0.5^z", [](C z) { return std::pow(0.5, z); });
    expectAgrees("pi^(z+1)", [](C z) { return std::pow(3.141592653589793, z + 1.0); });
    expectAgrees("z^0.5", [](C z) { return std::sqrt(z); });
    expectAgrees("2^(1+i)", [](C) { return std::pow(2.0, C(1, 1)); });
    // 2^763.63 to the last bit, where exp(z log 2) is hundreds of units in the last place off.
    EXPECT_EQ(compiled("2^z").evaluate(763.63), C(std::pow(2.0, 763.63), 0));
    // An overflow on the real axis is infinite and real, not infinite and undefined.
    EXPECT_EQ(compiled("2^z").evaluate(2000), C(HUGE_VAL, 0));
    EXPECT_EQ(compiled("2^z").evaluate(C(-2000, -0.0)), C(0, -0.0));
}

TEST(FormulaEvaluation, BranchCutsKeepTheSideOfTheSignedZero) {
    const FormulaProgram log = compiled("log(z)");
    EXPECT_EQ(log.evaluate(C(-2, 0.0)).imag(), 3.141592653589793);
    EXPECT_EQ(log.evaluate(C(-2, -0.0)).imag(), -3.141592653589793);
    const FormulaProgram sqrt = compiled("sqrt(z)");
    EXPECT_GT(sqrt.evaluate(C(-4, 0.0)).imag(), 0);
    EXPECT_LT(sqrt.evaluate(C(-4, -0.0)).imag(), 0);
}

TEST(FormulaEvaluation, WholeNumberPowersAreExact) {
    const FormulaProgram eighth = compiled("z^8");
    EXPECT_EQ(eighth.evaluate(C(1, 1)), C(16, 0));
    EXPECT_EQ(compiled("z^3").evaluate(C(1, 2)), C(-11, -2));
    EXPECT_EQ(compiled("z^4").evaluate(C(3, 4)), C(-527, -336));
    EXPECT_EQ(compiled("z^2").evaluate(C(1e10, 3)), C(1e20 - 9, 6e10));
    EXPECT_EQ(compiled("z^-2").evaluate(C(1, 1)), C(0, -0.5));
    EXPECT_EQ(compiled("z^-10").evaluate(C(2, 0)), C(1.0 / 1024, 0));
    EXPECT_EQ(compiled("z^0").evaluate(C(7, -3)), C(1, 0));
    EXPECT_EQ(compiled("z^1").evaluate(C(7, -3)), C(7, -3));
    EXPECT_EQ(compiled("z^25").evaluate(C(0, 1)), C(0, 1));
    EXPECT_EQ(compiled("(1+i)^16").evaluate(0), C(256, 0));
    // A power of zero: zero, or a pole for a negative power; never an exception.
    EXPECT_EQ(compiled("z^3").evaluate(0), C(0, 0));
    EXPECT_TRUE(std::isinf(compiled("z^-1").evaluate(0).real()) ||
                std::isnan(compiled("z^-1").evaluate(0).real()));
}

}  // namespace
}  // namespace zw
