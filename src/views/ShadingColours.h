#pragma once

namespace zw {

// How the shading toggles turn a value of f into a colour: the long-standing red-to-blue and
// grey formulas, or a colour wheel that tells every argument apart.
enum class ShadingColours { Classic, ColourWheel };

// How finely the shading samples f: one value per box (the long-standing shading, two or four
// units a box), or one at the centre of every device pixel, written straight into the picture.
enum class ShadingResolution { Boxes, EveryPixel };

}  // namespace zw
