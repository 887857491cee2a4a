#pragma once

#include <string_view>

#include "engine/ActiveFunction.h"
#include "formula/FormulaProgram.h"
#include "roots/Preimages.h"

namespace zw {
class Transformations;
}

namespace zw::roots {

// The catalogue's function with this title, or the typed map with this internal name
// (catalogue::kMobiusMap and the others, read from the engine's coefficients when evaluated),
// as a function to solve; empty for any other name.
Map mapNamed(std::string_view name);

// A compiled formula with its derivative from the same instructions. The program is copied.
Map formulaMap(const FormulaProgram& program);

// The engine's current function as the solver takes it (a formula from the engine's compiled
// program); empty for a title the solver does not know.
Map activeMap(const ActiveFunction& active);
// The function the engine maps with now: the active one, morphed from the identity while the
// morph is on. Every search for preimages goes through this, so none can miss the morph.
Map activeMap(const Transformations& engine);

}  // namespace zw::roots
