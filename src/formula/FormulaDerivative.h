#pragma once

#include <complex>

#include "formula/FormulaProgram.h"

namespace zw {

// A compiled formula's value and derivative at one point, carried together through the same
// instructions (forward-mode dual numbers): exact to rounding, where a difference quotient would
// lose half the digits.
//
// The value is what FormulaProgram::evaluate gives, to the bit. The derivative is the complex
// derivative; where the formula uses an operation that has none (abs, arg, conj, re, im, or the
// variable's real or imaginary part), it is NaN from there on, so whoever solves with it sees
// that Newton's method has nothing to go on. Operations on constants alone were folded when
// compiling and carry no derivative, so re(2) + z keeps its derivative of 1.
class FormulaDerivative {
  public:
    using Complex = std::complex<double>;

    struct Dual {
        Complex value;
        Complex derivative;
    };

    static Dual evaluate(const FormulaProgram& program, Complex z) noexcept;
};

}  // namespace zw
