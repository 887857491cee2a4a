#include "roots/SolverMaps.h"

#include "engine/Catalogue.h"
#include "engine/FormulaMaps.h"
#include "engine/Morph.h"
#include "engine/Transformations.h"
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

Map activeMap(const Transformations& engine) {
    Map f = activeMap(engine.activeFunction());
    if (f && engine.morphing()) {
        return [f, t = engine::morphT](Complex z) { return morphJet(f(z), z, t); };
    }
    return f;
}

}  // namespace zw::roots
