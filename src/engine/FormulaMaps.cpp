#include "engine/FormulaMaps.h"

namespace zw {

namespace engine {
FormulaProgram formulaProgram;
FormulaProgram formulaInverseProgram;
bool formulaHasInverse = false;
ParameterValues formulaValues;
std::map<std::string, ParameterSettings, std::less<>> parameterSettings;
}  // namespace engine

CGPoint formulaFunction(CGPoint z) {
    const FormulaProgram::Complex w = engine::formulaProgram.evaluate({z.x, z.y});
    return {w.real(), w.imag()};
}

CGPoint formulaInverse(CGPoint w) {
    const FormulaProgram::Complex z = engine::formulaInverseProgram.evaluate({w.x, w.y});
    return {z.real(), z.imag()};
}

}  // namespace zw
