#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/ActiveFunction.h"
#include "engine/ComplexFunctions.h"

namespace zw {

namespace engine {
// The current forward and inverse function, shared by every Transformations object; both are
// unset (null) until the first selection.
extern ComplexFunction func;
extern ComplexFunction funcinv;
}  // namespace engine

// The one way into the mathematics: selects the current function and applies it.
class Transformations {
  public:
    // A title outside the catalogue (engine/Catalogue.h) selects the identity.
    void setFunction(const std::string& title);
    CGPoint transform(CGPoint z) const;
    // transform at n points, w[k] = transform(z[k]) to the bit; a formula is run over blocks
    // of points at a time. w may be z.
    void transformRow(const CGPoint* z, CGPoint* w, std::size_t n) const;
    // Whether f neither logs nor keeps state, so that several threads may evaluate it at once
    // and in any order with the results one thread gets. (invert remembers its last good point,
    // and the functions with a division that may fail log it: those stay on one thread.)
    bool transformsInParallel() const;
    // With no inverse ever installed this is the identity.
    CGPoint transformInv(CGPoint w) const;
    bool hasInverse() const;
    // transform and transformInv, saying too whether the result is f's value there or a
    // stand-in (at a pole, or where f has no value); a result that is not finite counts as a
    // pole if a part is infinite, as undefined otherwise. Logs and moves invert's last good
    // point exactly as transform does.
    Evaluation evaluate(CGPoint z) const;
    Evaluation evaluateInverse(CGPoint w) const;
    // The same without side effects: no log line, invert's last good point untouched. For the
    // readouts, which must not change what is drawn next.
    Evaluation probe(CGPoint z) const;
    Evaluation probeInverse(CGPoint w) const;
    // Whether f has a finite value at one of these points at least; as quiet as probe.
    bool hasValueAtAny(const std::vector<CGPoint>& points) const;
    void setParameters(const std::string& name, float aR, float aI, float bR, float bI, float cR,
                       float cI, float dR, float dI);
    // Installs f from a formula in z and, unless inverse is blank, its inverse from a formula
    // in w. All or nothing: if either text does not read, error says why and nothing changes.
    bool setFormula(const std::string& formula, const std::string& inverse, std::string& error);
    // How the current function was chosen (engine::active).
    const ActiveFunction& activeFunction() const;
};

}  // namespace zw
