#pragma once

#include "platform/Geometry.h"

namespace zw {

// A complex function w = f(z), z and w as points (x real part, y imaginary part).
using ComplexFunction = CGPoint (*)(CGPoint);

// The catalogue's functions. These are the engine's own and take points, not std::complex.
CGPoint identity(CGPoint z);
CGPoint exponentiate(CGPoint z);
CGPoint square(CGPoint z);
CGPoint cube(CGPoint z);
CGPoint biquadrant(CGPoint z);
CGPoint hyperbolic(CGPoint z);
CGPoint inverseHyperbolic(CGPoint z);
CGPoint invert(CGPoint z);
CGPoint negate(CGPoint z);
CGPoint csin(CGPoint z);
CGPoint ccos(CGPoint z);
CGPoint ctan(CGPoint z);
CGPoint csinh(CGPoint z);
CGPoint ccosh(CGPoint z);
CGPoint ctanh(CGPoint z);
CGPoint expinv(CGPoint z);
CGPoint expnoniso(CGPoint z);
CGPoint custom(CGPoint z);

namespace engine {
// The last result `invert` could compute, returned when it cannot divide; (0, 0) at start.
extern CGPoint lastGoodPoint;
}  // namespace engine

}  // namespace zw
