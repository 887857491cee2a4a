// The products and quotients of the block evaluation, apart from the rest so that the loops
// here are compiled as the loops they are (see the build's options for this file).
#include <algorithm>
#include <cmath>
#include <complex>

#include "formula/FormulaBatch.h"

namespace zw::batch {

namespace {

using Complex = std::complex<double>;

// 1 where both parts of a result came out NaN, else 0.
double bothNaN(double x, double y) {
    return ((x != x) & (y != y)) ? 1.0 : 0.0;
}

// 0 for finite x, NaN for an infinity or NaN: summed over a block, it flags every lane that may
// need a second look without a branch in the loop.
double nonFinite(double x) {
    return x - x;
}

// x = a b as std::complex multiplies: the schoolbook products, and where both parts of those
// come out NaN, the library's own product, which recovers the infinities an infinite factor
// implies. x must not be a or b.
void multiplyLanes(const double* __restrict ar, const double* __restrict ai,
                   const double* __restrict br, const double* __restrict bi, double* __restrict xr,
                   double* __restrict xi, std::size_t count) {
    double unusual = 0.0;
    for (std::size_t k = 0; k < kBlock; ++k) {
        const double x = ar[k] * br[k] - ai[k] * bi[k];
        const double y = ar[k] * bi[k] + ai[k] * br[k];
        xr[k] = x;
        xi[k] = y;
        unusual = unusual + nonFinite(x) + nonFinite(y);
    }
    if (unusual == 0.0) {
        return;
    }
    for (std::size_t k = 0; k < count; ++k) {
        if (bothNaN(xr[k], xi[k]) != 0.0) {
            const Complex p = Complex(ar[k], ai[k]) * Complex(br[k], bi[k]);
            xr[k] = p.real();
            xi[k] = p.imag();
        }
    }
}

// Parts of at most this size, or zero, keep every step of a quotient's computation normal,
// scaled or not, so the runtime's division (Smith's method, which scales tiny or huge operands
// by powers of two first) gives what Smith's method unscaled gives.
constexpr double kModerateLow = 0x1p-250;
constexpr double kModerateHigh = 0x1p250;

// 0 for a part of moderate size, 1 for any other (NaN included).
double immoderate(double v) {
    const double m = std::fabs(v);
    return ((m == 0.0) | ((m >= kModerateLow) & (m <= kModerateHigh))) ? 0.0 : 1.0;
}

// x = a / b as std::complex divides: Smith's method on moderate parts, with the larger part of
// the divisor as the pivot, and the library's own quotient for any other lane (a zero divisor,
// infinities, NaN, parts near the ends of the range). x must not be a or b.
template <Varying varying>
void divideAs(const double* __restrict ar, const double* __restrict ai, const double* __restrict br,
              const double* __restrict bi, double* __restrict xr, double* __restrict xi,
              std::size_t count) {
    constexpr bool dividendVaries = varying != Varying::Divisor;
    constexpr bool divisorVaries = varying != Varying::Dividend;
    double unusual = 0.0;
    if constexpr (!dividendVaries) {
        unusual = immoderate(ar[0]) + immoderate(ai[0]);
    }
    if constexpr (!divisorVaries) {
        unusual = immoderate(br[0]) + immoderate(bi[0]);
    }
    for (std::size_t k = 0; k < kBlock; ++k) {
        const double a = ar[k];
        const double b = ai[k];
        const double c = br[k];
        const double d = bi[k];
        const double mc = std::fabs(c);
        const double md = std::fabs(d);
        const bool imagLarger = mc < md;
        const double small = imagLarger ? c : d;
        const double large = imagLarger ? d : c;
        const double ratio = small / large;
        const double denominator = small * ratio + large;
        // (a r + b, b r - a) with the imaginary part as the pivot, (a + b r, b - a r) with the
        // real part: the ratio on one side and 1 on the other, and 1 x is x to the bit.
        const double onA = imagLarger ? ratio : 1.0;
        const double onB = imagLarger ? 1.0 : ratio;
        const double x = (a * onA + b * onB) / denominator;
        const double y = (b * onA - a * onB) / denominator;
        xr[k] = x;
        xi[k] = y;
        // The smallest and largest magnitudes among the parts that vary: a zero among them
        // also asks for a second look, which lets it through.
        double low = kModerateHigh;
        double high = 0.0;
        if constexpr (dividendVaries) {
            low = std::min(std::fabs(a), std::fabs(b));
            high = std::max(std::fabs(a), std::fabs(b));
        }
        if constexpr (divisorVaries) {
            low = std::min(low, std::min(mc, md));
            high = std::max(high, std::max(mc, md));
        }
        const double outside = ((low < kModerateLow) | (high > kModerateHigh)) ? 1.0 : 0.0;
        unusual = unusual + outside + nonFinite(x) + nonFinite(y);
    }
    if (unusual == 0.0) {
        return;
    }
    for (std::size_t k = 0; k < count; ++k) {
        if (immoderate(ar[k]) + immoderate(ai[k]) + immoderate(br[k]) + immoderate(bi[k]) +
                bothNaN(xr[k], xi[k]) !=
            0.0) {
            const Complex q = Complex(ar[k], ai[k]) / Complex(br[k], bi[k]);
            xr[k] = q.real();
            xi[k] = q.imag();
        }
    }
}

}  // namespace

void multiply(const double* ar, const double* ai, const double* br, const double* bi, double* xr,
              double* xi, std::size_t count) {
    multiplyLanes(ar, ai, br, bi, xr, xi, count);
}

void divide(Varying varying, const double* ar, const double* ai, const double* br, const double* bi,
            double* xr, double* xi, std::size_t count) {
    switch (varying) {
        case Varying::Both:
            return divideAs<Varying::Both>(ar, ai, br, bi, xr, xi, count);
        case Varying::Dividend:
            return divideAs<Varying::Dividend>(ar, ai, br, bi, xr, xi, count);
        case Varying::Divisor:
            return divideAs<Varying::Divisor>(ar, ai, br, bi, xr, xi, count);
    }
}

}  // namespace zw::batch
