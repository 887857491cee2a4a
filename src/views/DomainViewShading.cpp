// The domain's shading: the boxes coloured by the modulus or the argument of f, walked out
// from the origin, and the options that switch it.
#include "views/DomainView.h"

#include <cmath>
#include <vector>

#include "platform/Canvas.h"
#include "platform/DevicePixel.h"
#include "platform/Sender.h"
#include "views/ColourWheel.h"

namespace zw {

int DomainView::contourBoxSize() const {
    if (inLiveResize()) {
        return 8;
    }
    return highestResolution ? 2 : 4;
}

void DomainView::constructContours() {
    if (!showContours && !showArguments) {
        // Nothing is shaded: let go of the boxes' memory as well.
        std::vector<ColoredRect>().swap(contours);
        contourLattice.clear();
        needsCompleteRedraw = true;
        setNeedsDisplay(true);
        return;
    }
    // Every pan, zoom and resize step rebuilds the boxes, at one or two evaluations of f and
    // some 70 bytes each. A pane big enough to need more than kMaxContourBoxes of them would hold
    // up the program for seconds and take gigabytes, so it gets boxes twice as large (a quarter as
    // many) until they fit: a coarser shading rather than a frozen window.
    int s = contourBoxSize();
    double needed = countBoxes(s);
    while (needed > static_cast<double>(kMaxContourBoxes) && s < (1 << 29)) {
        s *= 2;
        needed = countBoxes(s);
    }
    const auto count = static_cast<std::size_t>(needed);
    // A list grown for a larger pane keeps its memory after clear(); start afresh when it holds
    // far more room than this rebuild needs.
    if (contours.capacity() > 2 * count) {
        std::vector<ColoredRect>().swap(contours);
    } else {
        contours.clear();
    }
    contours.reserve(count);
    contourLattice.reset(static_cast<double>(s), count);
    makeBoxes(1, 1, s);
    makeBoxes(1, -1, s);
    makeBoxes(-1, 1, s);
    makeBoxes(-1, -1, s);
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

double DomainView::countBoxes(int step) const {
    double count = 0.0;
    for (const int tx : {1, -1}) {
        for (const int ty : {1, -1}) {
            count += static_cast<double>(Walk::boxes(axisAlong(false), ty, step).steps()) *
                     static_cast<double>(Walk::boxes(axisAlong(true), tx, step).steps());
        }
    }
    return count;
}

void DomainView::makeBoxes(int tx, int ty, int step) {
    // Rows outermost, each walked from the origin's column; only boxes that reach into the
    // view, or lie one box beyond its edge, are made.
    const Walk rows = Walk::boxes(axisAlong(false), ty, step);
    const Walk columns = Walk::boxes(axisAlong(true), tx, step);
    if (contourLattice.boxSize() != static_cast<double>(step) ||
        contourLattice.pixels().size() != contours.size()) {
        // Boxes made outside a rebuild: the lattice no longer describes the list, so it is
        // left unusable (size 0) and the boxes are painted one by one.
        contourLattice.clear();
    }
    std::vector<double> xs(static_cast<std::size_t>(columns.steps()));
    for (std::size_t j = 0; j < xs.size(); ++j) {
        xs[j] = columns.at(static_cast<long long>(j));
    }
    std::vector<double> ys(static_cast<std::size_t>(rows.steps()));
    for (std::size_t i = 0; i < ys.size(); ++i) {
        ys[i] = rows.at(static_cast<long long>(i));
    }
    for (const double y : ys) {
        for (const double x : xs) {
            makeBox(x, y, step);
        }
    }
    contourLattice.addBlock(std::move(xs), std::move(ys));
}

void DomainView::makeBox(double x, double y, int step) {
    ColoredRect box;
    const double half = step / 2;
    const CGPoint z = viewCoordinatesToTrueCoordinates({x + half, y + half});
    box.setColor(boxColor(z));
    box.setRect({{x, y}, {static_cast<double>(step), static_cast<double>(step)}});
    contours.push_back(box);
    contourLattice.addPixel(devicePixel(box.color));
}

Color DomainView::boxColor(CGPoint z) const {
    if (controller == nullptr) {
        return Color::blackColor();
    }
    if (shadingColours == ShadingColours::ColourWheel) {
        return ColourWheel::shade(controller->transform(z), showContours, showArguments);
    }
    if (showContours && !showArguments) {
        const float v = 1.0f - controller->greyness(z);
        return Color::colorWithDeviceWhite(v, 1.0);
    }
    if (!showContours) {
        const float h = std::fabs(controller->argument(z)) / 180.0f;
        const double hd = h;
        return Color::colorWithDeviceRed(1.0 + (hd * 1.57) / -2.0, 0.0, (hd * 1.57) / 2.0, 1.0);
    }
    const float v = 1.0f - controller->greyness(z);
    const float h = std::fabs(controller->argument(z)) / 180.0f;
    const float red = (1.0f - h) * v * 3.0f / 2.0f;
    const float blue = h * v * 3.0f / 2.0f;
    return Color::colorWithDeviceRed(red, 0.0, blue, 1.0);
}

void DomainView::fillBackground(Canvas& canvas) {
    if (!showContours && !showArguments) {
        return;
    }
    canvas.fillShading(contours, contourLattice);
}

void DomainView::showContoursAction(Sender* sender) {
    toggleDisplayOption(sender, showContours);
}

void DomainView::showArgumentsAction(Sender* sender) {
    toggleDisplayOption(sender, showArguments);
}

void DomainView::highestResolutionAction(Sender* sender) {
    toggleDisplayOption(sender, highestResolution);
}

void DomainView::setShadingColours(ShadingColours colours) {
    shadingColours = colours;
    if (showContours || showArguments) {
        constructContours();
    }
    setNeedsCompleteRedraw();
}

}  // namespace zw
