#pragma once

#include <cstddef>

namespace zw::batch {

// A compiled formula evaluated at many points (FormulaProgram::evaluate(z, w, n)) runs each
// instruction over a block of this many points before the next one: the stack holds, per
// slot, the real parts of the block in one array and the imaginary parts in another, so the
// arithmetic of a slot is a plain loop the compiler turns into vector instructions. 64 points
// keep a few slots of a typical formula in the first-level cache.
constexpr std::size_t kBlock = 64;

// The products and quotients of a block, x = a b and x = a / b, each lane to the bit what
// std::complex gives for it (FormulaBatchArithmetic.cpp). Each operand is its real parts and
// its imaginary parts, kBlock of each; only the first count lanes of x are to be read. The
// product's x must be neither operand; the quotient's may be either.
void multiply(const double* ar, const double* ai, const double* br, const double* bi, double* xr,
              double* xi, std::size_t count);

void divide(const double* ar, const double* ai, const double* br, const double* bi, double* xr,
            double* xi, std::size_t count);

}  // namespace zw::batch
