#pragma once

#include <string_view>

#include "formula/FormulaProgram.h"
#include "roots/Preimages.h"

namespace zw::roots {

// The catalogue's function with this title, or the typed map with this internal name
// (catalogue::kMobiusMap and the others, read from the engine's coefficients when evaluated),
// as a function to solve; empty for any other name.
Map mapNamed(std::string_view name);

// A compiled formula with its derivative from the same instructions. The program is copied.
Map formulaMap(const FormulaProgram& program);

}  // namespace zw::roots
