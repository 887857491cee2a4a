#pragma once

#include <cstddef>

namespace zw::batch {

// A compiled formula evaluated at many points (FormulaProgram::evaluate(z, w, n)) runs each
// instruction over a block of this many points before the next one: the stack holds, per
// slot, the real parts of the block in one array and the imaginary parts in another, so the
// arithmetic of a slot is a plain loop the compiler turns into vector instructions. 64 points
// keep a few slots of a typical formula in the first-level cache.
constexpr std::size_t kBlock = 64;

}  // namespace zw::batch
