#include "engine/ComplexFunctions.h"

#include <cmath>
#include <limits>

#include "platform/Log.h"

namespace zw {

namespace engine {
CGPoint lastGoodPoint{0.0, 0.0};
thread_local Outcome standIn = Outcome::Value;
}  // namespace engine

namespace {

// Denominators are tested, and some divided by, after rounding to single precision.
double single(double v) {
    return static_cast<double>(static_cast<float>(v));
}

bool singleIsZero(double v) {
    return static_cast<float>(v) == 0.0f;
}

// Where a denominator rounds to zero these functions return the origin (for expinv, the
// origin is what gets exponentiated, giving 1): finite, so every caller can draw it, and
// the same fallback that expnoniso uses.
constexpr CGPoint kPoleFallback{0.0, 0.0};

}  // namespace

Evaluation Evaluation::of(CGPoint w) {
    if (std::isfinite(w.x) && std::isfinite(w.y)) {
        return {w, Outcome::Value};
    }
    return {w, std::isinf(w.x) || std::isinf(w.y) ? Outcome::Pole : Outcome::Undefined};
}

CGPoint Evaluation::value() const {
    switch (outcome) {
        case Outcome::Value:
            break;
        case Outcome::Pole:
            return {std::numeric_limits<double>::infinity(),
                    std::numeric_limits<double>::infinity()};
        case Outcome::Undefined:
            return {std::numeric_limits<double>::quiet_NaN(),
                    std::numeric_limits<double>::quiet_NaN()};
    }
    return w;
}

CGPoint identity(CGPoint z) {
    return z;
}

CGPoint exponentiate(CGPoint z) {
    return {std::exp(z.x) * std::cos(z.y), std::exp(z.x) * std::sin(z.y)};
}

CGPoint square(CGPoint z) {
    const double x = z.x, y = z.y;
    return {x * x - y * y, y * (x + x)};
}

CGPoint cube(CGPoint z) {
    const double x = z.x, y = z.y;
    return {x * x * x - 3 * x * y * y, 3 * x * x * y - y * y * y};
}

CGPoint biquadrant(CGPoint z) {
    const double x = z.x, y = z.y;
    return {x * x * x * x - 6 * x * x * y * y + y * y * y * y,
            4 * x * x * x * y - 4 * x * y * y * y};
}

CGPoint hyperbolic(CGPoint z) {
    const double x = z.x, y = z.y;
    const double d = single(x * x + y * y + (y + y) + 1);
    if (d == 0.0) {
        log("hyperbolic: Division by zero!");
        engine::standIn = Outcome::Pole;
        return kPoleFallback;
    }
    return {(x * x + y * y - 1) / d, (-2 * x) / d};
}

CGPoint inverseHyperbolic(CGPoint z) {
    const double x = z.x, y = z.y;
    const double d = single(x * x + y * y + (-2) * x + 1);
    if (d == 0.0) {
        log("hyperbolic: Division by zero!");
        engine::standIn = Outcome::Pole;
        return kPoleFallback;
    }
    return {(-2 * y) / d, -(x * x - 1 + y * y) / d};
}

CGPoint invert(CGPoint z) {
    const double x = z.x, y = z.y;
    const double s = x * x + y * y;
    if (singleIsZero(s)) {
        log("invert: Division by zero!");
        engine::standIn = Outcome::Pole;
        return engine::lastGoodPoint;
    }
    const CGPoint w{x / s, -y / s};
    engine::lastGoodPoint = w;
    return w;
}

CGPoint negate(CGPoint z) {
    return {-z.x, -z.y};
}

CGPoint csin(CGPoint z) {
    return {std::sin(z.x) * std::cosh(z.y), std::cos(z.x) * std::sinh(z.y)};
}

CGPoint ccos(CGPoint z) {
    return {std::cos(z.x) * std::cosh(z.y), -std::sin(z.x) * std::sinh(z.y)};
}

CGPoint ctan(CGPoint z) {
    const double x = z.x, y = z.y;
    const double d = single(std::cos(x) * std::cos(x) + std::sinh(y) * std::sinh(y));
    return {std::sin(x) * std::cos(x) / d, std::sinh(y) * std::cosh(y) / d};
}

CGPoint csinh(CGPoint z) {
    return {std::sinh(z.x) * std::cos(z.y), std::cosh(z.x) * std::sin(z.y)};
}

CGPoint ccosh(CGPoint z) {
    return {std::cosh(z.x) * std::cos(z.y), std::sinh(z.x) * std::sin(z.y)};
}

CGPoint ctanh(CGPoint z) {
    const double x = z.x, y = z.y;
    const double d = single(std::sinh(x) * std::sinh(x) + std::cos(y) * std::cos(y));
    return {std::sinh(x) * std::cosh(x) / d, std::sin(y) * std::cos(y) / d};
}

CGPoint expinv(CGPoint z) {
    const double x = z.x, y = z.y;
    const double s = x * x + y * y;
    CGPoint q = kPoleFallback;
    if (singleIsZero(s)) {
        log("invert: Division by zero!");
        // e^(1/z) takes every value but 0 in any neighbourhood of 0: it has none there.
        engine::standIn = Outcome::Undefined;
    } else {
        q = {x / s, -y / s};
    }
    return exponentiate(q);
}

CGPoint expnoniso(CGPoint z) {
    if (singleIsZero(z.x * z.x + z.y * z.y)) {
        log("expnoniso failure");
        engine::standIn = Outcome::Undefined;
        return {0.0, 0.0};
    }
    const CGPoint t = expinv(z);
    if (t.x == 1.0 && t.y == 0.0) {
        // 1/(e^(1/z) - 1) with the exponential exactly 1: a pole, or too large to tell.
        log("expnoniso failure");
        engine::standIn = Outcome::Pole;
        return {0.0, 0.0};
    }
    return invert({t.x - 1, t.y});
}

CGPoint custom(CGPoint z) {
    return {1 / z.x + z.x, 1 / z.y + z.y};
}

// The derivatives. The values are the plain double-precision ones, without the single-precision
// denominators and stand-ins of the functions above: a preimage is a point where f itself takes w.
using Complex = std::complex<double>;

namespace {
const Complex kI{0.0, 1.0};
}  // namespace

Jet identityJet(Complex z) {
    return {z, 1.0};
}

Jet exponentiateJet(Complex z) {
    const Complex e = std::exp(z);
    return {e, e};
}

Jet squareJet(Complex z) {
    return {z * z, 2.0 * z};
}

Jet cubeJet(Complex z) {
    return {z * z * z, 3.0 * z * z};
}

Jet biquadrantJet(Complex z) {
    const Complex z2 = z * z;
    return {z2 * z2, 4.0 * z2 * z};
}

Jet hyperbolicJet(Complex z) {
    // (z − i)/(z + i) has derivative 2i/(z + i)².
    const Complex d = z + kI;
    return {(z - kI) / d, 2.0 * kI / (d * d)};
}

Jet inverseHyperbolicJet(Complex z) {
    // i(1 + z)/(1 − z) has derivative 2i/(1 − z)².
    const Complex d = 1.0 - z;
    return {kI * (1.0 + z) / d, 2.0 * kI / (d * d)};
}

Jet invertJet(Complex z) {
    const Complex w = 1.0 / z;
    return {w, -w * w};
}

Jet negateJet(Complex z) {
    return {-z, -1.0};
}

Jet csinJet(Complex z) {
    return {std::sin(z), std::cos(z)};
}

Jet ccosJet(Complex z) {
    return {std::cos(z), -std::sin(z)};
}

Jet ctanJet(Complex z) {
    const Complex c = std::cos(z);
    return {std::tan(z), 1.0 / (c * c)};
}

Jet csinhJet(Complex z) {
    return {std::sinh(z), std::cosh(z)};
}

Jet ccoshJet(Complex z) {
    return {std::cosh(z), std::sinh(z)};
}

Jet ctanhJet(Complex z) {
    const Complex c = std::cosh(z);
    return {std::tanh(z), 1.0 / (c * c)};
}

Jet expinvJet(Complex z) {
    const Complex q = 1.0 / z;
    const Complex e = std::exp(q);
    return {e, -e * q * q};
}

Jet expnonisoJet(Complex z) {
    // 1/(e^(1/z) − 1) has derivative e^(1/z) / (z² (e^(1/z) − 1)²).
    const Complex q = 1.0 / z;
    const Complex e = std::exp(q);
    const Complex r = 1.0 / (e - 1.0);
    return {r, e * r * r * q * q};
}

Jet customJet(Complex z) {
    // Re and Im are mapped separately: u = x + 1/x, v = y + 1/y, with u_x = p, v_y = q and no
    // cross terms, so f_z = (p + q)/2 and f_z̄ = (p − q)/2. Not holomorphic, but Newton on its
    // Jacobian works wherever neither p nor q vanishes.
    const double x = z.real(), y = z.imag();
    const double p = 1.0 - 1.0 / (x * x);
    const double q = 1.0 - 1.0 / (y * y);
    return {{x + 1.0 / x, y + 1.0 / y}, (p + q) / 2.0, (p - q) / 2.0};
}

}  // namespace zw
