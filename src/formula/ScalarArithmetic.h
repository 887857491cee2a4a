#pragma once

#include <cmath>
#include <complex>

namespace zw::scalar {

using Complex = std::complex<double>;

// The arithmetic of a real or an imaginary scalar with a complex value, part by part, so that
// no 0·x or x+0 touches a part the scalar leaves alone.
inline Complex addReal(Complex a, double r) {
    return {a.real() + r, a.imag()};
}
inline Complex subReal(Complex a, double r) {
    return {a.real() - r, a.imag()};
}
inline Complex realSub(double r, Complex a) {
    return {r - a.real(), -a.imag()};
}
inline Complex mulReal(Complex a, double r) {
    return {a.real() * r, a.imag() * r};
}
inline Complex divReal(Complex a, double r) {
    return {a.real() / r, a.imag() / r};
}
inline Complex addImag(Complex a, double b) {
    return {a.real(), a.imag() + b};
}
inline Complex subImag(Complex a, double b) {
    return {a.real(), a.imag() - b};
}
inline Complex imagSub(double b, Complex a) {
    return {-a.real(), b - a.imag()};
}
inline Complex mulImag(Complex a, double b) {
    return {-(b * a.imag()), b * a.real()};
}
inline Complex divImag(Complex a, double b) {
    return {a.imag() / b, -a.real() / b};
}

// b^a for a real b > 0 with logB = log b: b^x (cos(y log b) + i sin(y log b)). The modulus
// comes from the real pow, within half a unit in the last place, where exp(a log b) would
// spread the rounding of log b over a large exponent. A real exponent gives a real result
// even when b^x overflows (∞, not ∞ + NaN i).
inline Complex realPow(double b, double logB, Complex a) {
    const double rho = std::pow(b, a.real());
    const double theta = a.imag() * logB;
    return {rho * std::cos(theta), theta == 0.0 ? theta : rho * std::sin(theta)};
}

}  // namespace zw::scalar
