// The products and quotients of the block evaluation, each lane to the bit what std::complex
// gives for it.
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>

#include "formula/FormulaBatch.h"

namespace zw::batch {

namespace {

using Complex = std::complex<double>;

// 1 where both parts of a result came out NaN, else 0.
double bothNaN(double x, double y) {
    return ((x != x) & (y != y)) ? 1.0 : 0.0;
}

// +0 for finite x, NaN for an infinity or NaN: a mark, set without a branch in the loop, on
// every lane that may need a second look.
double nonFinite(double x) {
    return x - x;
}

// Whether any lane's mark is other than +0: the marks' bits or'ed together. A sum over the
// block would have to be added up in order, one lane after the other.
bool anySet(const double* marks) {
    std::uint64_t any = 0;
    for (std::size_t k = 0; k < kBlock; ++k) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &marks[k], sizeof bits);
        any |= bits;
    }
    return any != 0;
}

// x = a b as std::complex multiplies: the schoolbook products, and where both parts of those
// come out NaN, the library's own product, which recovers the infinities an infinite factor
// implies. x must not be a or b.
void multiplyLanes(const double* __restrict ar, const double* __restrict ai,
                   const double* __restrict br, const double* __restrict bi, double* __restrict xr,
                   double* __restrict xi, std::size_t count) {
    double unusual[kBlock];
    for (std::size_t k = 0; k < kBlock; ++k) {
        const double x = ar[k] * br[k] - ai[k] * bi[k];
        const double y = ar[k] * bi[k] + ai[k] * br[k];
        xr[k] = x;
        xi[k] = y;
        unusual[k] = nonFinite(x) + nonFinite(y);
    }
    if (!anySet(unusual)) {
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

}  // namespace

void multiply(const double* ar, const double* ai, const double* br, const double* bi, double* xr,
              double* xi, std::size_t count) {
    multiplyLanes(ar, ai, br, bi, xr, xi, count);
}

// Quotients take the runtime's division lane by lane. Smith's method, the steps of that
// division, vectorises, but it needs three divisions a lane as the runtime's does: the divider
// stays the limit, and the checks that keep a vectorised quotient to the runtime's bits cost
// more than the vectors save.
void divide(const double* ar, const double* ai, const double* br, const double* bi, double* xr,
            double* xi, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) {
        const Complex q = Complex(ar[k], ai[k]) / Complex(br[k], bi[k]);
        xr[k] = q.real();
        xi[k] = q.imag();
    }
}

}  // namespace zw::batch
