#include "formula/Trigonometric.h"

#include <cmath>
#include <limits>

#include "formula/FormulaBatch.h"

namespace zw::trig {

namespace {

enum class Kind { Sin, Cos, Sinh, Cosh };

// sin z = sin x cosh y + i cos x sinh y and cos z = cos x cosh y - i sin x sinh y take the
// circular functions of the real part and the hyperbolic ones of the imaginary part; sinh and
// cosh the other way round.
constexpr bool circularOfReal(Kind kind) {
    return kind == Kind::Sin || kind == Kind::Cos;
}

// Below this |a| the hyperbolic functions come from expm1 |a|: sinh a from e^|a| - e^-|a| would
// lose leading digits to the cancellation, the more the nearer a is to 0.
constexpr double kSmall = 1.0;

// Beyond this |a|, e^|a| comes near overflow while cosh a sin b may not; the library scales
// there, and so these lanes are left to it.
constexpr double kLargest = 709.0;

// Whether the hand-written way covers hyperbolic part a and circular part b (false for NaN).
bool ordinary(double a, double b) {
    return std::fabs(a) <= kLargest && std::fabs(b) <= std::numeric_limits<double>::max();
}

Complex library(Kind kind, Complex z) {
    switch (kind) {
        case Kind::Sin:
            return std::sin(z);
        case Kind::Cos:
            return std::cos(z);
        case Kind::Sinh:
            return std::sinh(z);
        default:
            return std::cosh(z);
    }
}

// sin and cos of |b|, as the library takes them: the sign of b goes back onto the sine below.
void sinCos(double m, double* s, double* c) {
#if defined(__GLIBC__)
    ::sincos(m, s, c);
#else
    *s = std::sin(m);
    *c = std::cos(m);
#endif
}

// expm1 |a| below kSmall, e^|a| from there on.
double exponential(double m) {
    return m < kSmall ? std::expm1(m) : std::exp(m);
}

// The result from a, b, sin |b|, cos |b| and t = exponential(|a|). Written without branches
// so that the block's loop over it vectorises; the one-point functions run the same steps, so
// both give the same bits. Below kSmall, with t = e^|a| - 1 and q = t / (t + 1) = 1 - e^-|a|:
// sinh |a| = (t + q) / 2 and cosh |a| = 1 + t q / 2; from there on, with E = e^|a| and
// q = 1 / (2E): sinh |a| = E / 2 - q and cosh |a| = E / 2 + q. One division either way.
template <Kind kind>
inline Complex combine(double a, double b, double s, double c, double t) {
    // Both ways are worked out and one is picked, and this file is compiled without trapping
    // maths (cmake/CoreSources.cmake): else the compiler would not take a step meant for one
    // side of a branch on every lane, and would not vectorise.
    const bool small = std::fabs(a) < kSmall;
    const double tPlusOne = t + 1.0;
    const double q = (small ? t : 0.5) / (small ? tPlusOne : t);
    const double halfT = 0.5 * t;
    const double nearSinh = 0.5 * (t + q);
    const double farSinh = halfT - q;
    const double nearCosh = 1.0 + 0.5 * (t * q);
    const double farCosh = halfT + q;
    const double sh = std::copysign(small ? nearSinh : farSinh, a);
    const double ch = small ? nearCosh : farCosh;
    const double sn = s * std::copysign(1.0, b);
    switch (kind) {
        case Kind::Sin:
            return {ch * sn, sh * c};
        case Kind::Cos:
            return {ch * c, -(sh * sn)};
        case Kind::Sinh:
            return {sh * c, ch * sn};
        default:
            return {ch * c, sh * sn};
    }
}

template <Kind kind>
Complex one(Complex z) {
    const double a = circularOfReal(kind) ? z.imag() : z.real();
    const double b = circularOfReal(kind) ? z.real() : z.imag();
    if (!ordinary(a, b)) {
        return library(kind, z);
    }
    double s = 0.0;
    double c = 0.0;
    sinCos(std::fabs(b), &s, &c);
    return combine<kind>(a, b, s, c, exponential(std::fabs(a)));
}

// The library calls lane by lane into arrays, then the arithmetic around them over the whole
// block in one loop the compiler vectorises, then the lanes the library must take.
template <Kind kind>
void block(double* __restrict re, double* __restrict im, std::size_t count) {
    using batch::kBlock;
    // The hyperbolic and the circular part of lane k.
    const auto a = [&](std::size_t k) { return circularOfReal(kind) ? im[k] : re[k]; };
    const auto b = [&](std::size_t k) { return circularOfReal(kind) ? re[k] : im[k]; };
    double s[kBlock];
    double c[kBlock];
    double t[kBlock];
    // The lanes left to the library and their values, in plain arrays: an array of
    // std::complex would be zeroed at every call.
    std::size_t unusual[kBlock];
    double unusualRe[kBlock];
    double unusualIm[kBlock];
    std::size_t unusualCount = 0;
    for (std::size_t k = 0; k < count; ++k) {
        double sk = 0.0;
        double ck = 0.0;
        double tk = 0.0;
        if (ordinary(a(k), b(k))) {
            sinCos(std::fabs(b(k)), &sk, &ck);
            tk = exponential(std::fabs(a(k)));
        } else {
            const Complex w = library(kind, Complex(re[k], im[k]));
            unusual[unusualCount] = k;
            unusualRe[unusualCount] = w.real();
            unusualIm[unusualCount++] = w.imag();
        }
        s[k] = sk;
        c[k] = ck;
        t[k] = tk;
    }
    for (std::size_t k = count; k < kBlock; ++k) {
        s[k] = c[k] = t[k] = 0.0;
    }
    for (std::size_t k = 0; k < kBlock; ++k) {
        const Complex w = combine<kind>(a(k), b(k), s[k], c[k], t[k]);
        re[k] = w.real();
        im[k] = w.imag();
    }
    for (std::size_t j = 0; j < unusualCount; ++j) {
        re[unusual[j]] = unusualRe[j];
        im[unusual[j]] = unusualIm[j];
    }
}

}  // namespace

Complex sin(Complex z) {
    return one<Kind::Sin>(z);
}
Complex cos(Complex z) {
    return one<Kind::Cos>(z);
}
Complex sinh(Complex z) {
    return one<Kind::Sinh>(z);
}
Complex cosh(Complex z) {
    return one<Kind::Cosh>(z);
}

void sin(double* re, double* im, std::size_t count) {
    block<Kind::Sin>(re, im, count);
}
void cos(double* re, double* im, std::size_t count) {
    block<Kind::Cos>(re, im, count);
}
void sinh(double* re, double* im, std::size_t count) {
    block<Kind::Sinh>(re, im, count);
}
void cosh(double* re, double* im, std::size_t count) {
    block<Kind::Cosh>(re, im, count);
}

}  // namespace zw::trig
