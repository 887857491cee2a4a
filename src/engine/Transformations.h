#pragma once

#include <string>
#include <vector>

#include "engine/ActiveFunction.h"
#include "engine/ComplexFunctions.h"
#include "engine/ParameterSettings.h"
#include "formula/FormulaParser.h"

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

    // The parameters of f as it is now: a formula's (then its inverse's) in the order they
    // appear, and t while the morph is on.
    std::vector<std::string> parameterNames() const;
    // Every value given so far, by name, including names no longer in use (a formula typed
    // again keeps them); a name not here is at its default.
    const ParameterValues& parameterValues() const;
    std::complex<double> parameterValue(const std::string& name) const;
    // Gives a parameter of f a value and compiles f (and its inverse) at it; false, with
    // nothing changed, for a name f does not have.
    bool setParameterValue(const std::string& name, std::complex<double> value);
    // A parameter's range, kind and Play, given or by default.
    ParameterSettings parameterSettings(const std::string& name) const;
    void setParameterSettings(const std::string& name, const ParameterSettings& settings);
    // Forgets every value and setting given and turns the morph off: what a window starts
    // with. f is compiled again at the defaults.
    void resetParameters();
    // The morph from the identity, f_t(z) = (1 - t) z + t f(z), over whatever f is chosen
    // now or later; t starts at 1 (f itself). While t is not 1 there is no inverse.
    void setMorph(bool on);
    bool morphing() const;
    // The function chosen, without the morph.
    ComplexFunction baseFunction() const;
    // What a parameter starts at before it is given a value.
    static std::complex<double> defaultValue(const std::string& name, bool morphing);

  private:
    // After f was chosen: the morph wraps it again.
    static void wrapMorph();
};

}  // namespace zw
