#pragma once

#include <complex>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "engine/ActiveFunction.h"
#include "engine/ParameterSettings.h"
#include "platform/Color.h"
#include "platform/Geometry.h"
#include "views/ShadingColours.h"

namespace zw {

class Controller;

// Everything needed to bring the two planes back: the function, each plane's view and
// options, and every path with its images in true coordinates. Images are kept as drawn,
// under the function of their time, not recomputed. The undo history and the removed paths
// are not part of it.
class Session {
  public:
    struct Path {
        Path() = default;
        Path(Color c, std::vector<CGPoint> p, std::vector<std::size_t> m = {})
            : color(c), points(std::move(p)), moves(std::move(m)) {}

        Color color;
        // True coordinates; a non-finite coordinate (the image of a pole) is NaN.
        std::vector<CGPoint> points;
        // Ascending indices of the points reached by a move rather than a line: where an image
        // followed near a pole breaks. The first point is a move and is not listed.
        std::vector<std::size_t> moves;
    };
    struct Plane {
        float scaleFactor = 1.0f;
        // The true point at the view centre: it stays there whatever the window's size.
        CGPoint centre;
        bool tickMarks = true;
        bool showGridlines = false;
        Color pathColor = Color::blackColor();
        std::vector<Path> paths;
    };

    // A path drawn in the range, with its preimages on every branch in the domain.
    struct RangePath {
        Path path;
        std::vector<Path> preimages;
        // How many of the domain's paths were drawn before it.
        std::size_t after = 0;
    };

    // A parameter of f: its value, and how the panel shows and plays it.
    struct Parameter {
        std::string name;
        std::complex<double> value;
        ParameterSettings settings;
    };

    ActiveFunction function;
    // The parameters f has now (none for a file from before they were kept), and the morph.
    std::vector<Parameter> parameters;
    bool morph = false;
    Plane domain;
    Plane range;
    // The domain's own copies of the images, one per domain path.
    std::vector<Path> transformedPathsShownInDomain;
    // In the order drawn.
    std::vector<RangePath> rangePaths;
    bool showTransformedPathsInDomain = false;
    bool showInverseImagesOfRangeGridlines = false;
    bool showTransformedGridlines = true;
    bool showContours = false;
    bool showArguments = false;
    bool highestResolution = false;
    ShadingColours shadingColours = ShadingColours::Classic;
    bool followCurvesNearPoles = false;

    // Without paths: everything else, which is small enough to compare after every action.
    enum class Paths { Included, Omitted };
    static Session capture(const Controller& controller, Paths paths = Paths::Included);
    // Replaces the planes' state, the function and every path, and empties the undo history.
    // The session must be whole, as SessionReader hands it out: this cannot fail half way.
    void apply(Controller& controller) const;
};

}  // namespace zw
