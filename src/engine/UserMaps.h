#pragma once

#include "engine/ComplexFunctions.h"

namespace zw {

// The maps whose coefficients the user types in, evaluated from the process-wide sets below.
CGPoint usersMobiusMap(CGPoint z);
CGPoint inverseUsersMobiusMap(CGPoint w);
CGPoint usersPolynomial(CGPoint z);
CGPoint usersAffineMap(CGPoint z);
CGPoint inverseUsersAffineMap(CGPoint w);

namespace engine {
// Möbius w = (az + b)/(cz + d): a = aRm + i aIm and so on.
extern float aRm, aIm, bRm, bIm, cRm, cIm, dRm, dIm;
// Cubic w = az³ + bz² + cz + d.
extern float aRp, aIp, bRp, bIp, cRp, cIp, dRp, dIp;
// Affine: Re w = u + a x + c y, Im w = v + b x + d y.
extern float a, b, c, d, u, v;
}  // namespace engine

}  // namespace zw
