#pragma once

#include <complex>

#include "engine/ComplexFunctions.h"

namespace zw {

// The morph from the identity: f_t(z) = (1 - t) z + t f(z), with f whatever function was
// chosen. At t = 0 it is the identity and at t = 1 it is f, exactly: those two are not computed
// through the blend, whose 0 * f(z) would turn a pole into NaN.
CGPoint morphFunction(CGPoint z);
// The same with derivatives, from f's own.
Jet morphJet(const Jet& f, std::complex<double> z, std::complex<double> t);

namespace engine {
// Whether the morph is on; f is then morphBase, and func is morphFunction.
extern bool morphing;
extern std::complex<double> morphT;
extern ComplexFunction morphBase;
}  // namespace engine

}  // namespace zw
