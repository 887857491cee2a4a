#pragma once

#include <complex>
#include <cstddef>

namespace zw::trig {

using Complex = std::complex<double>;

// The formula's complex sin, cos, sinh and cosh, written by hand for speed: the C library's
// csin works out sin, cos, sinh and cosh of the parts with separate calls (sinh and cosh each
// taking its own exponential), where these take one sincos of the circular part and one
// exponential of the hyperbolic part. They stay within 4 units in the last place of std::sin
// and the others over the whole plane. Where the hyperbolic part is beyond ±709 (its
// exponential would overflow) or a part is infinite or NaN, they are std::sin and the others
// themselves, so the infinities, NaNs and signed zeros of the edges are the library's; a zero
// elsewhere has the library's sign too, being the same product of the same signed factors.
Complex sin(Complex z);
Complex cos(Complex z);
Complex sinh(Complex z);
Complex cosh(Complex z);

// The same functions over a block of the formula's batch evaluation (FormulaBatch.h), in
// place: re and im hold kBlock real and imaginary parts, of which the first count are points.
// Each of those comes out with the bits the one-point function gives it; the lanes past count
// are computed from whatever they hold and are not to be read.
void sin(double* re, double* im, std::size_t count);
void cos(double* re, double* im, std::size_t count);
void sinh(double* re, double* im, std::size_t count);
void cosh(double* re, double* im, std::size_t count);

}  // namespace zw::trig
