#include "app/LinkedCursor.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "app/Controller.h"
#include "engine/Transformations.h"
#include "roots/SolverMaps.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

LinkedCursor::LinkedCursor(Controller& controller, DomainView& domain, RangeView& range)
    : controller_(controller), domain_(domain), range_(range) {}

void LinkedCursor::pointerAt(Pane pane, CGPoint viewPosition) {
    pane_ = pane;
    position_ = viewPosition;
}

void LinkedCursor::pointerLeft() {
    pane_ = Pane::None;
}

bool LinkedCursor::nearView(const PlaneView& plane, CGPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && p.x >= -kMargin &&
           p.x <= plane.viewWidth + kMargin && p.y >= -kMargin && p.y <= plane.viewHeight + kMargin;
}

LinkedCursor::Reading LinkedCursor::read() const {
    Reading reading;
    reading.pane = pane_;
    if (pane_ == Pane::Domain) {
        // The domain keeps z under the pointer in its readout, and the range f(z) in its own,
        // through every move and viewport change: f is not evaluated twice.
        reading.point = domain_.coords;
        reading.hasImage = true;
        reading.image = range_.coords;
        reading.pointUnit = domain_.unitSize();
        reading.imageUnit = range_.unitSize();
        const CGPoint at = range_.trueCoordinatesToViewCoordinates(reading.image);
        if (markersShown && nearView(range_, at)) {
            reading.rangeMarker = at;
        }
    } else if (pane_ == Pane::Range) {
        reading.point = range_.viewCoordinatesToTrueCoordinates(position_);
        reading.pointUnit = range_.unitSize();
        reading.imageUnit = domain_.unitSize();
        const Transformations* engine = controller_.transformations;
        reading.hasImage = engine != nullptr && engine->hasInverse();
        if (reading.hasImage) {
            // Without side effects: the hover must not log, nor move invert's last good point.
            reading.image = engine->probeInverse(reading.point).value();
        }
        if (engine != nullptr) {
            findPreimages(*engine, reading);
        }
        if (markersShown) {
            for (const CGPoint z : reading.preimages) {
                const CGPoint at = domain_.trueCoordinatesToViewCoordinates(z);
                if (nearView(domain_, at)) {
                    reading.domainMarkers.push_back(at);
                }
            }
            if (!reading.domainMarkers.empty()) {
                reading.domainMarker = reading.domainMarkers.front();
            }
        }
    }
    return reading;
}

bool LinkedCursor::Solved::sameSearch(const ActiveFunction& f, CGRect area) const {
    return valid && function.kind == f.kind && function.title == f.title &&
           function.coefficients == f.coefficients && function.formula == f.formula &&
           region == area;
}

bool LinkedCursor::Solved::sameQuery(const ActiveFunction& f, CGPoint at, CGRect area) const {
    return sameSearch(f, area) && w == at;
}

const LinkedCursor::Solved& LinkedCursor::solve(const Transformations& engine, CGPoint w) const {
    const CGRect region = domain_.viewport().regionAround(kMargin);
    const ActiveFunction& active = engine.activeFunction();
    // The window reads the cursor after every event: a move, then the event it was, read the
    // same w, and the search runs once.
    // A moved parameter or morph is another f, though the function's record is the same.
    const bool sameValues =
        solved_.values == engine.parameterValues() && solved_.morph == engine.morphing();
    if (sameValues && solved_.sameQuery(active, w, region)) {
        return solved_;
    }
    roots::PreimageSet found;
    if (const roots::Map f = roots::activeMap(engine)) {
        roots::PreimageOptions options;
        options.maxEvaluations = kPreimageBudget;
        // A pointer moving over the same f and view: each preimage is followed from where it
        // was, and only where that is not sure does the solver scan afresh. After a jump (the
        // pointer came back elsewhere) following could spend the budget a scan needs.
        const bool near =
            std::hypot(w.x - solved_.w.x, w.y - solved_.w.y) <= kFollowPixels * range_.unitSize();
        found = near && sameValues && solved_.sameSearch(active, region)
                    ? roots::continuePreimages(f, solved_.found, {solved_.w.x, solved_.w.y},
                                               {w.x, w.y}, region, options)
                    : roots::findPreimages(f, {w.x, w.y}, region, options);
    }
    const bool incomplete = found.doubt == roots::Doubt::Budget ||
                            found.doubt == roots::Doubt::Unresolved ||
                            found.doubt == roots::Doubt::NoDerivative;
    std::vector<CGPoint> points;
    for (const roots::Preimage& p : found.points) {
        // A part within the solver's tolerance of zero is zero: -1e-17i would read as noise.
        const double scale = roots::kTolerance * (1 + std::abs(p.z));
        points.push_back({std::fabs(p.z.real()) <= scale ? 0.0 : p.z.real(),
                          std::fabs(p.z.imag()) <= scale ? 0.0 : p.z.imag()});
    }
    // Left to right, then bottom to top, so that the list does not reorder as w moves a little;
    // real parts that differ by rounding alone (the branches of a logarithm) count as equal.
    const double step = 1e-3 * domain_.unitSize();
    std::sort(points.begin(), points.end(), [step](CGPoint a, CGPoint b) {
        const double ax = std::round(a.x / step), bx = std::round(b.x / step);
        return ax != bx ? ax < bx : a.y < b.y;
    });
    const int leftOut = found.leftOut;
    solved_ = Solved{true,
                     active,
                     w,
                     region,
                     std::move(points),
                     leftOut,
                     incomplete,
                     std::move(found),
                     engine.parameterValues(),
                     engine.morphing()};
    return solved_;
}

void LinkedCursor::findPreimages(const Transformations& engine, Reading& reading) const {
    const Solved& solved = solve(engine, reading.point);
    std::vector<CGPoint> points = solved.points;
    const int leftOut = solved.leftOut;
    // f⁻¹(w) leads the list, in the inverse's own digits: where the solver has it too, that copy
    // goes; where the solver has nothing (no derivative, no value), it is all there is.
    const CGPoint inverse = reading.image;
    const bool inverseShown =
        reading.hasImage && nearView(domain_, domain_.trueCoordinatesToViewCoordinates(inverse));
    if (inverseShown) {
        const double tolerance =
            std::max(1e-3 * domain_.unitSize(), 1e-9 * (1 + std::hypot(inverse.x, inverse.y)));
        std::erase_if(points, [&](CGPoint z) {
            return std::hypot(z.x - inverse.x, z.y - inverse.y) <= tolerance;
        });
        points.insert(points.begin(), inverse);
    }
    reading.preimageCount = static_cast<int>(points.size()) + leftOut;
    reading.leftOut = leftOut;
    reading.incomplete = solved.incomplete;
    reading.preimages = std::move(points);
}

}  // namespace zw
