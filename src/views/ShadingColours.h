#pragma once

namespace zw {

// How the shading toggles turn a value of f into a colour: the long-standing red-to-blue and
// grey formulas, or a colour wheel that tells every argument apart.
enum class ShadingColours { Classic, ColourWheel };

}  // namespace zw
