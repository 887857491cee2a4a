// The formula's own complex sin, cos, sinh and cosh against std::complex's: within a few units
// in the last place over the whole plane, from the subnormal to near overflow, and the same
// infinities, NaNs and signed zeros at the edges. (That the block versions give the one-point
// bits is FormulaBatchTest's.)
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <iomanip>
#include <limits>
#include <random>
#include <vector>

#include "formula/Trigonometric.h"

namespace zw {
namespace {

using C = std::complex<double>;

struct Function {
    const char* name;
    C (*ours)(C);
    C (*library)(C);
};

const Function kFunctions[] = {
    {"sin", [](C z) { return trig::sin(z); }, [](C z) { return std::sin(z); }},
    {"cos", [](C z) { return trig::cos(z); }, [](C z) { return std::cos(z); }},
    {"sinh", [](C z) { return trig::sinh(z); }, [](C z) { return std::sinh(z); }},
    {"cosh", [](C z) { return trig::cosh(z); }, [](C z) { return std::cosh(z); }},
};

// The distance in units in the last place between two finite doubles: their places in the
// ordered sequence of all doubles (-0 and +0 one apart).
std::int64_t ulps(double a, double b) {
    const auto place = [](double v) {
        std::int64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
    };
    const std::int64_t d = place(a) - place(b);
    return d < 0 ? -d : d;
}

// A part of ours as the library's: a finite value within 4 units in the last place (a zero
// with its sign), the same infinity, or NaN for NaN.
bool close(double ours, double library) {
    if (std::isnan(library) || std::isinf(library) || library == 0.0) {
        return std::isnan(library) ? std::isnan(ours)
                                   : ours == library && std::signbit(ours) == std::signbit(library);
    }
    return std::isfinite(ours) && ulps(ours, library) <= 4;
}

// Every function at every point; at most a few failures each.
void expectClose(const std::vector<C>& points) {
    for (const Function& f : kFunctions) {
        int faults = 0;
        for (C z : points) {
            const C ours = f.ours(z);
            const C library = f.library(z);
            if (!(close(ours.real(), library.real()) && close(ours.imag(), library.imag())) &&
                ++faults <= 5) {
                ADD_FAILURE() << std::setprecision(17) << f.name << z << ": " << ours << " against "
                              << library << " (" << ulps(ours.real(), library.real()) << ", "
                              << ulps(ours.imag(), library.imag()) << " ulps)";
            }
        }
    }
}

// Parts of every size, both signs: a mantissa in [1, 2) times 2^e for e from the subnormal
// range to the top; half of them near the plane the views show; and the hyperbolic part
// around the places where the way of working it out changes (1 and 709 here, 22 in the
// library).
std::vector<C> seededPoints() {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    std::uniform_int_distribution<int> exponent(-1074, 1023);
    std::uniform_real_distribution<double> plane(-12.0, 12.0);
    std::uniform_real_distribution<double> sign(-1.0, 1.0);
    std::uniform_real_distribution<double> near(-0.01, 0.01);
    const auto anySize = [&] {
        return std::copysign(std::ldexp(mantissa(random), exponent(random)), sign(random));
    };
    std::vector<C> points;
    for (int k = 0; k < 20000; ++k) {
        points.emplace_back(anySize(), anySize());
        points.emplace_back(plane(random), plane(random));
        points.emplace_back(plane(random), anySize());
        points.emplace_back(anySize(), plane(random));
        for (double edge : {1.0, 22.0, 709.0}) {
            const double a = std::copysign(edge + edge * near(random), sign(random));
            points.emplace_back(plane(random), a);
            points.emplace_back(a, plane(random));
        }
    }
    return points;
}

TEST(Trigonometric, WithinAFewUlpsOfTheLibraryOverThePlane) {
    expectClose(seededPoints());
}

// Every pair of parts from the values where the library takes its own ways: zeros of either
// sign, the smallest numbers, the edges of the hand-written way, the largest finite numbers,
// the infinities and NaN.
TEST(Trigonometric, SpecialValuesAsTheLibraryGivesThem) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double tiny = std::numeric_limits<double>::denorm_min();
    const double least = std::numeric_limits<double>::min();
    const double most = std::numeric_limits<double>::max();
    std::vector<double> values;
    for (double v :
         {0.0, tiny, least, 1e-300, 1.0, std::nextafter(1.0, 0.0), 1.5707963267948966,
          3.141592653589793, 709.0, std::nextafter(709.0, 800.0), 710.0, 1e10, most, inf}) {
        values.push_back(v);
        values.push_back(-v);
    }
    values.push_back(nan);
    std::vector<C> points;
    for (double x : values) {
        for (double y : values) {
            points.emplace_back(x, y);
        }
    }
    expectClose(points);
}

}  // namespace
}  // namespace zw
