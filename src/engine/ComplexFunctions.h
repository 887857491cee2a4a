#pragma once

#include <complex>

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

// A function's value and first derivatives at one point, in double precision throughout and with
// no stand-ins: what a solver that goes from w back to z needs. `dz` is the derivative f'(z) where
// f is holomorphic; `dzbar` is zero there. A map that is only real-differentiable (the custom
// function, an affine map) has both Wirtinger derivatives, ∂f/∂z and ∂f/∂z̄, which together are
// its 2x2 real Jacobian: Newton's method solves f_z·h + f_z̄·conj(h) = -r for the step h, which
// works wherever that Jacobian is invertible (|f_z| != |f_z̄|). At a pole the value is infinite
// and the derivatives infinite or NaN, as the arithmetic gives them.
struct Jet {
    std::complex<double> value;
    std::complex<double> dz;
    std::complex<double> dzbar{};
};
using ComplexJet = Jet (*)(std::complex<double>);

// The catalogue's functions with their derivatives, in the catalogue's order.
Jet identityJet(std::complex<double> z);
Jet exponentiateJet(std::complex<double> z);
Jet squareJet(std::complex<double> z);
Jet cubeJet(std::complex<double> z);
Jet biquadrantJet(std::complex<double> z);
Jet hyperbolicJet(std::complex<double> z);
Jet inverseHyperbolicJet(std::complex<double> z);
Jet invertJet(std::complex<double> z);
Jet negateJet(std::complex<double> z);
Jet csinJet(std::complex<double> z);
Jet ccosJet(std::complex<double> z);
Jet ctanJet(std::complex<double> z);
Jet csinhJet(std::complex<double> z);
Jet ccoshJet(std::complex<double> z);
Jet ctanhJet(std::complex<double> z);
Jet expinvJet(std::complex<double> z);
Jet expnonisoJet(std::complex<double> z);
Jet customJet(std::complex<double> z);

// Whether an evaluation gave f's own value. Where f has no value the catalogue's functions still
// return a finite stand-in, so that every picture can draw it; the readouts must not show it as
// f's. A pole is the point at infinity; an essential singularity has no value at all.
enum class Outcome { Value, Pole, Undefined };

// f at a point as the engine computes it, and whether that is f's value.
struct Evaluation {
    // What f's function returned, a stand-in included: what the pictures draw.
    CGPoint w{};
    Outcome outcome = Outcome::Value;

    // What evaluate makes of a value that no stand-in replaced: a pole where a part is
    // infinite, undefined where one is NaN.
    static Evaluation of(CGPoint w);

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
