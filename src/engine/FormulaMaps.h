#pragma once

#include "engine/ComplexFunctions.h"
#include "engine/ParameterSettings.h"
#include "formula/FormulaParser.h"
#include "formula/FormulaProgram.h"

namespace zw {

// A formula the user typed, and its inverse, evaluated from the process-wide programs below.
CGPoint formulaFunction(CGPoint z);
CGPoint formulaInverse(CGPoint w);

namespace engine {
// Compiled by Transformations::setFormula; empty until then.
extern FormulaProgram formulaProgram;
extern FormulaProgram formulaInverseProgram;
// An inverse was given with the formula now installed.
extern bool formulaHasInverse;
// The values the formulas' parameters are compiled with (a name missing: its default).
extern ParameterValues formulaValues;
// How each parameter given settings is shown and moved (Transformations::parameterSettings).
extern std::map<std::string, ParameterSettings, std::less<>> parameterSettings;
}  // namespace engine

}  // namespace zw
