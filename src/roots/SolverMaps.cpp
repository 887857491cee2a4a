#include "roots/SolverMaps.h"

#include "engine/Catalogue.h"
#include "engine/FormulaMaps.h"
#include "engine/UserMaps.h"
#include "formula/FormulaDerivative.h"

namespace zw::roots {

Map mapNamed(std::string_view name) {
    if (const catalogue::Entry* entry = catalogue::find(name)) {
        return entry->jet;
    }
    if (name == catalogue::kMobiusMap) {
        return usersMobiusMapJet;
    }
    if (name == catalogue::kPolynomial) {
        return usersPolynomialJet;
    }
    if (name == catalogue::kAffineMap) {
        return usersAffineMapJet;
    }
    return {};
}

Map formulaMap(const FormulaProgram& program) {
    return [program](Complex z) {
        const FormulaDerivative::Dual d = FormulaDerivative::evaluate(program, z);
        return Jet{d.value, d.derivative, {0.0, 0.0}};
    };
}

Map activeMap(const ActiveFunction& active) {
    if (active.kind == ActiveFunction::Kind::Formula) {
        return formulaMap(engine::formulaProgram);
    }
    return mapNamed(active.title);
}

}  // namespace zw::roots
