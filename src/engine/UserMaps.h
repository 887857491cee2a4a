#pragma once

#include "engine/ComplexFunctions.h"

namespace zw {

// The maps whose coefficients the user types in, evaluated from the process-wide sets below.
CGPoint usersMobiusMap(CGPoint z);
CGPoint inverseUsersMobiusMap(CGPoint w);
CGPoint usersPolynomial(CGPoint z);
CGPoint usersAffineMap(CGPoint z);
CGPoint inverseUsersAffineMap(CGPoint w);

// The same maps with their derivatives (see Jet), from the same coefficients but in double
// precision throughout. The affine map is holomorphic only when a = d and b = −c; in general
// it has both Wirtinger derivatives, constant, and Newton on them solves it in one step
// whenever its determinant ad − bc is not zero.
Jet usersMobiusMapJet(std::complex<double> z);
Jet usersPolynomialJet(std::complex<double> z);
Jet usersAffineMapJet(std::complex<double> z);

namespace engine {
// Möbius w = (az + b)/(cz + d): a = aRm + i aIm and so on.
extern float aRm, aIm, bRm, bIm, cRm, cIm, dRm, dIm;
// Cubic w = az³ + bz² + cz + d.
extern float aRp, aIp, bRp, bIp, cRp, cIp, dRp, dIp;
// Affine: Re w = u + a x + c y, Im w = v + b x + d y.
extern float a, b, c, d, u, v;
}  // namespace engine

}  // namespace zw
