#include "app/LinkedCursor.h"

#include <cmath>

#include "app/Controller.h"
#include "engine/Transformations.h"
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
            const CGPoint at = domain_.trueCoordinatesToViewCoordinates(reading.image);
            if (markersShown && nearView(domain_, at)) {
                reading.domainMarker = at;
            }
        }
    }
    return reading;
}

}  // namespace zw
