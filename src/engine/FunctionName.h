#pragma once

#include <string>

#include "engine/ActiveFunction.h"

namespace zw {

// The current function as the user would name it: the catalogue title, the typed map with its
// coefficients, or f(z) = the formula. Numbers are written the same in every locale.
std::string functionDisplayName(const ActiveFunction& function);

}  // namespace zw
