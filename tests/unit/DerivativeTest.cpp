// Derivatives for solving f(z) = w: the catalogue's, the typed maps' and a formula's, against
// central differences and against values known in closed form.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>
#include <vector>

#include "engine/Catalogue.h"
#include "engine/UserMaps.h"
#include "formula/FormulaDerivative.h"
#include "formula/FormulaParser.h"
#include "roots/SolverMaps.h"

namespace zw {
namespace {

using C = std::complex<double>;

const std::vector<C> kPoints{{0.3, 0.7}, {-1.2, 0.4}, {0.9, -1.1}, {2.1, 0.25}, {-0.45, -0.6}};

// The real Jacobian from central differences along x and along y, as the two Wirtinger
// derivatives f_z = (f_x − i f_y)/2 and f_z̄ = (f_x + i f_y)/2.
void expectMatchesDifferences(const roots::Map& f, C z, const std::string& what) {
    const double h = 1e-5;
    const C fx = (f(z + C(h, 0)).value - f(z - C(h, 0)).value) / (2 * h);
    const C fy = (f(z + C(0, h)).value - f(z - C(0, h)).value) / (2 * h);
    const C dz = (fx - C(0, 1) * fy) / 2.0;
    const C dzbar = (fx + C(0, 1) * fy) / 2.0;
    const Jet jet = f(z);
    const double scale = 1.0 + std::abs(jet.dz) + std::abs(jet.dzbar);
    EXPECT_LT(std::abs(jet.dz - dz), 1e-6 * scale) << what << " at " << z;
    EXPECT_LT(std::abs(jet.dzbar - dzbar), 1e-6 * scale) << what << " at " << z;
}

FormulaProgram compiled(const std::string& text) {
    FormulaProgram program;
    FormulaError error;
    EXPECT_TRUE(FormulaParser::compile(text, "z", program, error)) << text << ": " << error.message;
    return program;
}

TEST(Derivative, EveryCatalogueFunctionAgreesWithItsDifferencesAndItsValue) {
    for (const catalogue::Entry& entry : catalogue::functions()) {
        ASSERT_NE(entry.jet, nullptr) << entry.title;
        const roots::Map f = roots::mapNamed(entry.title);
        ASSERT_TRUE(f) << entry.title;
        for (C z : kPoints) {
            expectMatchesDifferences(f, z, entry.title);
            // The same function as the engine draws (which rounds some denominators to single
            // precision).
            const CGPoint w = entry.forward({z.real(), z.imag()});
            const C value = entry.jet(z).value;
            EXPECT_LT(std::abs(value - C(w.x, w.y)), 1e-6 * (1 + std::abs(value)))
                << entry.title << " at " << z;
        }
        const bool holomorphic = std::string(entry.title) != "Custom Function";
        EXPECT_EQ(entry.jet(kPoints[0]).dzbar == C(0, 0), holomorphic) << entry.title;
    }
}

TEST(Derivative, KnownValuesAreExact) {
    const auto& table = catalogue::functions();
    auto jet = [&](const char* title, C z) { return catalogue::find(title)->jet(z); };
    for (C z : kPoints) {
        EXPECT_EQ(jet("Exponentiate", z).dz, std::exp(z));
        EXPECT_EQ(jet("Square", z).dz, 2.0 * z);
        EXPECT_EQ(jet("Cube", z).dz, 3.0 * z * z);
        EXPECT_EQ(jet("Sin", z).dz, std::cos(z));
        EXPECT_EQ(jet("Cos", z).dz, -std::sin(z));
        EXPECT_EQ(jet("Sinh", z).dz, std::cosh(z));
        EXPECT_EQ(jet("Identity", z).dz, C(1, 0));
        EXPECT_EQ(jet("Negate", z).dz, C(-1, 0));
        EXPECT_EQ(jet("Invert", z).dz, -1.0 / z * (1.0 / z));
    }
    EXPECT_EQ(table.size(), 18u);
    // tan' = 1 + tan², and the Möbius maps' derivative 2i/(z ± i)² vanishes nowhere.
    EXPECT_LT(std::abs(jet("Tan", C(0.4, 0.3)).dz - (1.0 + std::pow(std::tan(C(0.4, 0.3)), 2))),
              1e-14);
    EXPECT_EQ(jet("Hyperbolic Plane To Disk", C(0, 0)).dz, C(0, -2));
    EXPECT_EQ(jet("Fourth Power", C(1, 1)).dz, C(-8, 8));
}

TEST(Derivative, TypedMapsFromTheEngineCoefficients) {
    engine::aRm = 2, engine::aIm = 1, engine::bRm = -1, engine::bIm = 0.5f;
    engine::cRm = 0.5f, engine::cIm = -0.25f, engine::dRm = 1, engine::dIm = 2;
    engine::aRp = 1, engine::aIp = 0, engine::bRp = 0, engine::bIp = -1;
    engine::cRp = 2, engine::cIp = 1, engine::dRp = 3, engine::dIp = 0;
    engine::a = 2, engine::b = -1, engine::c = 0.5f, engine::d = 3, engine::u = 1, engine::v = -2;
    for (const char* name :
         {catalogue::kMobiusMap, catalogue::kPolynomial, catalogue::kAffineMap}) {
        const roots::Map f = roots::mapNamed(name);
        ASSERT_TRUE(f) << name;
        for (C z : kPoints) {
            expectMatchesDifferences(f, z, name);
        }
    }
    // Möbius: (ad − bc)/(cz + d)²; the cubic: 3az² + 2bz + c at z = 0 is c.
    const C a(2, 1), b(-1, 0.5), c(0.5, -0.25), d(1, 2), z(0.3, 0.7);
    EXPECT_LT(std::abs(usersMobiusMapJet(z).dz - (a * d - b * c) / std::pow(c * z + d, 2)), 1e-14);
    EXPECT_EQ(usersPolynomialJet(C(0, 0)).dz, C(2, 1));
    // The affine map is holomorphic only in part: f_z̄ = ((a − d) + i(b + c))/2.
    EXPECT_EQ(usersAffineMapJet(z).dzbar, C(-0.5, -0.25));
    EXPECT_EQ(usersAffineMapJet(z).dz, C(2.5, -0.75));
    EXPECT_FALSE(roots::mapNamed("Squares"));
}

TEST(Derivative, FormulaDualNumbersMatchTheProgramAndTheDifferences) {
    const std::vector<std::string> formulas{
        "z^3",
        "z^-2 + 1/z",
        "(z^2 - 1)*(z - 2 - i)^2/(z^2 + 2 + 2i)",
        "exp(1/z)",
        "sin(z)*cos(2z)",
        "tan(z) - tanh(z)/3",
        "log(z) + sqrt(z)",
        "z^(1.5) + z^(2i) + 2^z",
        "z^z",
        "asin(z) + acos(z/2) + atan(z)",
        "asinh(z) - acosh(z+3) + atanh(z/4)",
        "sinh(z) + cosh(z) - i*z/2 + 3 - z*i",
        "(1+i)/z - z/(1-i) + i - z + (2i)^z",
        "e^z + 1/(exp(1/z) - 1)",
        "-(z + 1)^7 + z^0",
    };
    for (const std::string& text : formulas) {
        const FormulaProgram program = compiled(text);
        for (C z : kPoints) {
            const FormulaDerivative::Dual d = FormulaDerivative::evaluate(program, z);
            const C value = program.evaluate(z);
            EXPECT_TRUE(d.value == value ||
                        (std::isnan(value.real()) && std::isnan(d.value.real())))
                << text << " at " << z;
        }
        const roots::Map f = roots::formulaMap(program);
        for (C z : kPoints) {
            expectMatchesDifferences(f, z, text);
        }
    }
    // With parameters, at their values: a parameter is a constant to the derivative.
    const ParameterValues values{{"a", C(0.7, 0)}, {"b", C(0.3, -0.4)}};
    for (const char* text : {"exp(a z) + z^2", "(z - b)/(1 - conj(b) z) + a z^a"}) {
        FormulaProgram program;
        FormulaError error;
        ASSERT_TRUE(FormulaParser::compile(text, "z", program, error, values)) << text;
        for (C z : kPoints) {
            EXPECT_EQ(FormulaDerivative::evaluate(program, z).value, program.evaluate(z)) << text;
            expectMatchesDifferences(roots::formulaMap(program), z, text);
        }
    }
    FormulaProgram scaled;
    FormulaError error;
    ASSERT_TRUE(FormulaParser::compile("a z^2", "z", scaled, error, {{"a", C(3, 0)}}));
    EXPECT_LT(
        std::abs(FormulaDerivative::evaluate(scaled, kPoints[0]).derivative - 6.0 * kPoints[0]),
        1e-14 * std::abs(kPoints[0]));
    // Exactly: (z³)' = 3z², exp' = exp, re(2) is a constant. (The points come from a table, so
    // the compiler cannot fold the expected values with a differently rounded exp.)
    for (C z : kPoints) {
        EXPECT_EQ(FormulaDerivative::evaluate(compiled("z^3"), z).derivative, 3.0 * (z * z));
        const FormulaDerivative::Dual e = FormulaDerivative::evaluate(compiled("exp(z)"), z);
        EXPECT_EQ(e.derivative, e.value);
        EXPECT_EQ(e.value, std::exp(z));
        EXPECT_EQ(FormulaDerivative::evaluate(compiled("re(2) + z"), z).derivative, C(1, 0));
    }
}

TEST(Derivative, FormulaOperationsWithoutAComplexDerivativeGiveNaN) {
    for (const char* text : {"abs(z)", "arg(z) + z", "conj(z)", "re(z)*z", "im(z^2)", "x + i*y",
                             "z + 0*abs(z)", "exp(y)"}) {
        const FormulaProgram program = compiled(text);
        const FormulaDerivative::Dual d = FormulaDerivative::evaluate(program, C(0.3, 0.7));
        EXPECT_TRUE(std::isnan(d.derivative.real()) && std::isnan(d.derivative.imag())) << text;
        EXPECT_EQ(d.value, program.evaluate(C(0.3, 0.7))) << text;
    }
}

}  // namespace
}  // namespace zw
