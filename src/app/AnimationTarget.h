#pragma once

#include <complex>
#include <string>
#include <vector>

namespace zw {

class Workbench;

// What an animation moves, reached through the workbench: the formula's parameters and, while
// the morph is on, its t. Frames set values without undo steps; the planes follow each value.
class AnimationTarget {
  public:
    // The names that can be animated, in the order the Parameters panel lists them.
    static std::vector<std::string> names(const Workbench& workbench);
    // The current value of `name` (zero for a name it does not know).
    static std::complex<double> valueOf(const Workbench& workbench, const std::string& name);
    // The range an animation of `name` starts with: the parameter's own, from its minimum to
    // its maximum.
    static void rangeOf(const Workbench& workbench, const std::string& name,
                        std::complex<double>& from, std::complex<double>& to);
    // Sets `name` to `value` and brings the shading, the grids and every path's images up to
    // date, without an undo step. False with one line in `error` for a name f does not have, or
    // a complex value for a real parameter.
    static bool setValue(Workbench& workbench, const std::string& name, std::complex<double> value,
                         std::string& error);
};

}  // namespace zw
