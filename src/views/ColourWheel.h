#pragma once

#include "platform/Color.h"
#include "platform/Geometry.h"

namespace zw {

// Colours for domain shading that let a value w = f(z) be read back from its colour.
//  - The argument is a hue on a cyclic map of constant lightness and chroma in the OKLab
//    space, so equal steps of argument look like equal steps of colour and the map runs on
//    across the negative real axis; arg and -arg get different hues.
//  - The modulus is brightness in bands whose edges lie at |w| = 2^k, k whole: within a band
//    the brightness rises with log2|w| and drops back at the next edge. Below the bands a
//    slow trend makes zeros dark and poles light.
class ColourWheel {
  public:
    // Hue of argument 0, in radians of OKLab hue: a red, as the classic shading's is.
    static constexpr double kHueOfZero = 0.5;
    static constexpr double kLightness = 0.75;
    static constexpr double kChroma = 0.125;

    // The colour of a box whose sample maps to w, for the toggles that are on.
    static Color shade(CGPoint w, bool modulus, bool argument);
    // The hue for an argument in radians (any real value; the map has period 2 pi).
    static Color phase(double argument);
    // Where |w| lies in its band: 0 at a band's lower edge 2^k, rising towards 1 at 2^(k+1).
    static double bandPosition(double modulus);
    // The brightness of modulus shading: 0 for a zero, towards 1 at a pole, banded.
    static double brightness(double modulus);
};

}  // namespace zw
