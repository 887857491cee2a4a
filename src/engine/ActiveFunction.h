#pragma once

#include <array>
#include <string>

namespace zw {

// What the engine's current function is, as the user chose it: enough to name it to the user
// and to choose it again later.
struct ActiveFunction {
    enum class Kind { Catalogue, UserMap, Formula };

    Kind kind = Kind::Catalogue;
    // The catalogue title, or the user map's name ("usersMobiusMap", ...).
    std::string title;
    // A user map's coefficients as given to setParameters: aR aI bR bI cR cI dR dI.
    std::array<float, 8> coefficients{};
    // A formula in z and its inverse in w (empty: no inverse).
    std::string formula;
    std::string inverse;
};

namespace engine {
// Process-wide, beside func and funcinv; empty title until the first selection.
extern ActiveFunction active;
}  // namespace engine

}  // namespace zw
