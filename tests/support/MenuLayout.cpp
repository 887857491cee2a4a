#include "support/MenuLayout.h"

namespace zw::test {

// Taken from the menus as they were before the command table described them.
const std::vector<std::string>& menuLayout() {
    static const std::vector<std::string> lines = {
        "&File > New | Ctrl+N | Start again with the function, views and options a window "
        "starts with | ",
        "&File > Open... | Ctrl+O | Open a saved session | ",
        "&File > Open &Recent > Clear Menu |  | Forget the sessions listed here | ",
        "&File > Save | Ctrl+S | Save the session: function, views, options and paths | ",
        "&File > Save As... | Ctrl+Shift+S | Save the session in a new file | ",
        "&File > ---",
        "&File > Export Picture... |  | Save what the planes show as a PNG or SVG picture | ",
        "&File > ---",
        "&File > Quit | Ctrl+Q | Quit zwmap | ",
        "&Edit > Undo | Ctrl+Z | Undo the last path drawn or removed | -",
        "&Edit > Redo | Ctrl+Y | Redo what was undone | -",
        "&Edit > ---",
        "&Edit > Add Circle... |  | Add an exact circle, given its centre and radius, as a path | ",
        "&Edit > Add Line... |  | Add an exact line segment, given its end points, as a path | ",
        "&Edit > ---",
        "&Edit > Remove Last Path |  | Remove the newest path from both planes | ",
        "&Edit > Clear All Paths... |  | Remove every path from both planes, after asking | ",
        "F&unction > Identity |  | w = z; inverse: itself | o",
        "F&unction > Exponentiate |  | w = eᶻ; no inverse | x",
        "F&unction > Square |  | w = z²; no inverse | o",
        "F&unction > Cube |  | w = z³; no inverse | o",
        "F&unction > Fourth Power |  | w = z⁴; no inverse | o",
        "F&unction > Hyperbolic Plane To Disk |  | w = (z − i)/(z + i), upper half-plane onto the "
        "unit disk; inverse: Hyperbolic Disk to Plane | o",
        "F&unction > Hyperbolic Disk to Plane |  | w = i(1 + z)/(1 − z); inverse: Hyperbolic Plane "
        "To Disk | o",
        "F&unction > Invert |  | w = 1/z; inverse: itself | o",
        "F&unction > Negate |  | w = −z; inverse: itself | o",
        "F&unction > Sin |  | w = sin z; no inverse | o",
        "F&unction > Cos |  | w = cos z; no inverse | o",
        "F&unction > Tan |  | w = tan z; no inverse | o",
        "F&unction > Sinh |  | w = sinh z; no inverse | o",
        "F&unction > Cosh |  | w = cosh z; no inverse | o",
        "F&unction > Tanh |  | w = tanh z; no inverse | o",
        "F&unction > exp(1/z) |  | w = e^(1/z); no inverse | o",
        "F&unction > 1/(exp(1/z)-1) |  | w = 1/(e^(1/z) − 1); no inverse | o",
        "F&unction > Custom Function |  | w = (x + 1/x) + i(y + 1/y) for z = x + iy, part by part; "
        "no inverse | o",
        "F&unction > ---",
        "F&unction > Morph from Identity |  | w = (1 − t)z + t f(z), with t on the Parameters "
        "panel; no inverse while t < 1 | o",
        "F&unction > ---",
        "F&unction > Möbius Map... |  | w = (az + b)/(cz + d) with complex a, b, c, d; inverse: z "
        "= (dw − b)/(a − cw) | o",
        "F&unction > Cubic Polynomial... |  | w = az³ + bz² + cz + d with complex a, b, c, d; no "
        "inverse | o",
        "F&unction > Affine Map... |  | w = (u + ax + cy) + i(v + bx + dy) for z = x + iy, with "
        "real u, v, a, b, c, d; inverse: the inverse matrix, where ad − bc ≠ 0 | o",
        "F&unction > Formula... |  | w = a formula in z you type, e.g. sin(z)^2 + 1/(z-1); "
        "inverse: the formula in w you give with it, if any | o",
        "&Domain > Zoom In | Ctrl++ | Zoom in by 2 about the centre | ",
        "&Domain > Zoom Out | Ctrl+- | Zoom out by 2 about the centre | ",
        "&Domain > ---",
        "&Domain > Show Axis Labels |  | Show the numbers along the axes | x",
        "&Domain > Show Grid |  | Show this plane's square grid | x",
        "&Domain > Shade by Modulus |  | Shade the domain by the modulus of f(z) | o",
        "&Domain > Shade by Argument |  | Shade the domain by the argument of f(z) | o",
        "&Domain > Highest Resolution |  | Shade in finer boxes (slower) | o",
        "&Domain > Show Path Images in Domain |  | Draw the images of the paths in the domain too "
        "| o",
        "&Domain > Show Inverse Images of Range Grid |  | Pull the range's grid back into the "
        "domain, where f has an inverse | o",
        "&Domain > ---",
        "&Domain > Path Colour > Black |  | New paths in black | ",
        "&Domain > Path Colour > Blue |  | New paths in blue | ",
        "&Domain > Path Colour > Green |  | New paths in green | ",
        "&Domain > Path Colour > Red |  | New paths in red | ",
        "&Domain > Path Colour > Other... |  | Choose a colour for new paths | ",
        "&Domain > ---",
        "&Domain > Reset View |  | Scale factor 1 with the origin at the centre | ",
        "&Domain > Shading Colours > Classic |  | Shade in grey and from red to blue | x",
        "&Domain > Shading Colours > Colour Wheel |  | Shade the argument as hue, the modulus as "
        "bands at powers of 2 | o",
        "&Range > Zoom In | Ctrl+Alt+= | Zoom in by 2 about the centre | ",
        "&Range > Zoom Out | Ctrl+Alt+- | Zoom out by 2 about the centre | ",
        "&Range > ---",
        "&Range > Show Axis Labels |  | Show the numbers along the axes | x",
        "&Range > Show Grid |  | Show this plane's square grid | o",
        "&Range > Show Grid Images |  | Show the images of the domain's grid | x",
        "&Range > Allow Drawing |  | Draw paths in the range; their preimages on every branch "
        "follow in the domain | o",
        "&Range > ---",
        "&Range > Path Colour > Black |  | New paths in black | ",
        "&Range > Path Colour > Blue |  | New paths in blue | ",
        "&Range > Path Colour > Green |  | New paths in green | ",
        "&Range > Path Colour > Red |  | New paths in red | ",
        "&Range > Path Colour > Other... |  | Choose a colour for new paths | ",
        "&Range > ---",
        "&Range > Reset View |  | Scale factor 1 with the origin at the centre | ",
        "&Range > ---",
        "&Range > Redraw Images Under Current Function |  | Redraw every path's image under the "
        "current function | ",
        "&View > Linked Cursor |  | Mark the image of the pointer in the other plane | x",
        "&View > Follow Curves Near Poles |  | Refine images where f bends fast and break them "
        "where it jumps | o",
        "&View > Parameters |  | Show the panel of f's parameters: sliders, values, ranges, Play "
        "| o",
        "&View > ---",
        "&View > Reset Settings |  | Put every remembered setting back as zwmap first starts | ",
        "&Help > Keys and Mouse |  | List every key, shortcut and mouse action | ",
        "&Help > Functions |  | The formula of each function and which have inverses | ",
        "&Help > ---",
        "&Help > About zwmap |  | Version, Qt version and licence | ",
    };
    return lines;
}

}  // namespace zw::test
