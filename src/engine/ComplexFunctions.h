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

// Whether an evaluation gave f's own value. Where f has no value the catalogue's functions still
// return a finite stand-in, so that every picture can draw it; the readouts must not show it as
// f's. A pole is the point at infinity; an essential singularity has no value at all.
enum class Outcome { Value, Pole, Undefined };

// f at a point as the engine computes it, and whether that is f's value.
struct Evaluation {
    // What f's function returned, a stand-in included: what the pictures draw.
    CGPoint w{};
    Outcome outcome = Outcome::Value;

    bool isValue() const { return outcome == Outcome::Value; }
    // What a readout shows: w where it is f's value, the point at infinity (infinite parts) at
    // a pole, NaN parts where f has no value.
    CGPoint value() const;
};

namespace engine {
// The last result `invert` could compute, returned when it cannot divide; (0, 0) at start.
extern CGPoint lastGoodPoint;
// Set by a function that returns a stand-in; nothing ever clears it but the caller that asks
// (Transformations::evaluate), so a plain evaluation costs nothing more.
extern thread_local Outcome standIn;
}  // namespace engine

}  // namespace zw
