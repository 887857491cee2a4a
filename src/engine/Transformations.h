#pragma once

#include <string>

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
    void setFunction(const std::string& title);
    // Whether setFunction knows this title (anything else selects the identity).
    static bool isCatalogueTitle(const std::string& title);
    CGPoint transform(CGPoint z) const;
    // With no inverse ever installed this is the identity.
    CGPoint transformInv(CGPoint w) const;
    bool hasInverse() const;
    void setParameters(const std::string& name, float aR, float aI, float bR, float bI, float cR,
                       float cI, float dR, float dI);
    // How the current function was chosen (engine::active).
    const ActiveFunction& activeFunction() const;
};

}  // namespace zw
