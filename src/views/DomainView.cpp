#include "views/DomainView.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "platform/Alerts.h"
#include "platform/Canvas.h"
#include "platform/Log.h"
#include "platform/Parallel.h"
#include "platform/Sender.h"
#include "platform/Translatable.h"
#include "platform/UndoManager.h"
#include "platform/ViewHost.h"
#include "views/RangeView.h"

namespace zw {

namespace {

CGPoint viewPosition(const PlaneView& view, const MouseEvent& event) {
    return view.host() != nullptr ? view.host()->convertPointFromWindow(event.locationInWindow)
                                  : event.locationInWindow;
}

// A short description of a list of paths, on one line as every log line is. A long list shows
// its first and last few entries and counts the rest: describing every one at every removal
// would make removing n paths cost n squared.
std::string describe(const PathList& list) {
    constexpr std::size_t kShownAtEachEnd = 3;
    auto entry = [&list](std::size_t i) {
        return "<Path: " + std::to_string(list[i]->elementCount()) + " elements>";
    };
    std::string text = "(";
    const std::size_t n = list.size();
    for (std::size_t i = 0; i < n; ++i) {
        text += i == 0 ? "" : ", ";
        if (n > 2 * kShownAtEachEnd + 1 && i == kShownAtEachEnd) {
            const std::size_t hidden = n - 2 * kShownAtEachEnd;
            text += "... " + std::to_string(hidden) + " more ...";
            i = n - kShownAtEachEnd - 1;
            continue;
        }
        text += entry(i);
    }
    return text + ")";
}

}  // namespace

DomainView::DomainView(ViewHost* viewHost, CGRect frame) : PlaneView(viewHost, frame) {
    showGridlines = true;
    completeInitialisation();
    showContours = false;
    highestResolution = false;
}

void DomainView::awakeFromNib() {
    if (Window* w = window()) {
        w->setAcceptsMouseMovedEvents(true);
    }
    PlaneView::awakeFromNib();
}

void DomainView::mouseDown(const MouseEvent& event) {
    if (drawingPath_) {
        // The release of the path before went astray; that path is finished all the same.
        mouseUp(event);
    }
    drawingPath_ = true;
    const CGPoint start = viewPosition(*this, event);
    beginPath(start, viewCoordinatesToTrueCoordinates(start));
}

void DomainView::beginPath(CGPoint start, CGPoint z) {
    pathStart = start;
    auto newPath = std::make_unique<Path>();
    newPath->setColor(pathColor);
    newPath->setLineWidth(1.0);
    newPath->moveToPoint(pathStart);
    path = newPath.get();
    paths.push_back(std::move(newPath));
    if (controller != nullptr) {
        controller->newDomainPathStartedAt(z);
    }
}

void DomainView::mouseDragged(const MouseEvent& event) {
    pathPoint = viewPosition(*this, event);
    if (path != nullptr) {
        path->lineToPoint(pathPoint);
    }
    const CGPoint z = viewCoordinatesToTrueCoordinates(pathPoint);
    if (controller != nullptr) {
        controller->newDomainPointAt(z);
    }
    setNeedsDisplay(true);
    mouseMoved(event);
}

void DomainView::mouseUp(const MouseEvent&) {
    drawingPath_ = false;
    UndoManager* undo = undoManager();
    if (undo == nullptr || controller == nullptr) {
        return;
    }
    PlaneController* target = controller;
    undo->registerUndo([target] { target->removeLastPath(nullptr); });
    undo->setActionName(QT_TRANSLATE_NOOP("zw::Commands", "Last Path Drawn"));
}

std::size_t DomainView::heldPoints() const {
    std::size_t held = 0;
    const auto add = [&held](const PathList& list) {
        for (const auto& p : list) {
            held += p->elementCount();
        }
    };
    add(paths);
    add(removedPaths);
    add(transformedPathsShownInDomain);
    add(removedTransformedPathsShownInDomain);
    if (controller != nullptr && controller->rangePlane() != nullptr) {
        add(controller->rangePlane()->paths);
        add(controller->rangePlane()->removedPaths);
    }
    return held;
}

bool DomainView::addExactPath(const std::vector<CGPoint>& points) {
    if (points.empty()) {
        return false;
    }
    // The path and its two images, each a point for a point.
    if (heldPaths() + 1 > kMaxHeldPaths || heldPoints() + 3 * points.size() > kMaxHeldPoints) {
        runAlertPanel(QT_TRANSLATE_NOOP("zw::Alerts", "The shape is not added"),
                      "The paths hold " + std::to_string(heldPoints()) + " points in " +
                          std::to_string(heldPaths()) + " paths, and may hold at most " +
                          std::to_string(kMaxHeldPoints) + " points in " +
                          std::to_string(kMaxHeldPaths) +
                          " paths (counting their images and the removed paths Undo may bring "
                          "back), so that a session of them can be saved and opened again. "
                          "Clear the paths, or zoom out so that the shape needs fewer points.",
                      "OK", "", "");
        return false;
    }
    beginPath(trueCoordinatesToViewCoordinates(points.front()), points.front());
    for (std::size_t i = 1; i < points.size(); ++i) {
        pathPoint = trueCoordinatesToViewCoordinates(points[i]);
        path->lineToPoint(pathPoint);
        if (controller != nullptr) {
            controller->newDomainPointAt(points[i]);
        }
    }
    // More than the newest segment is new, in both planes.
    setNeedsCompleteRedraw();
    if (controller != nullptr) {
        controller->setRangeNeedsCompleteRedraw();
    }
    mouseUp(MouseEvent{pathPoint});
    return true;
}

void DomainView::mouseMoved(const MouseEvent& event) {
    mousePosition = viewPosition(*this, event);
    coords = viewCoordinatesToTrueCoordinates(mousePosition);
    setNeedsDisplay(true);
    if (controller != nullptr) {
        controller->updateRangeCoordinates(coords);
    }
}

void DomainView::updateCoords() {
    if (inLiveResize()) {
        return;
    }
    coords = viewCoordinatesToTrueCoordinates(mousePosition);
}

void DomainView::startNewTransformedPathAt(CGPoint w) {
    pathStart = trueCoordinatesToViewCoordinates(w);
    auto image = std::make_unique<Path>();
    image->setColor(controller != nullptr ? controller->rangeColor() : Color::blackColor());
    image->setLineWidth(1.0);
    image->moveToPoint(pathStart);
    transformedPathShownInDomain = image.get();
    transformedPathsShownInDomain.push_back(std::move(image));
}

void DomainView::addNewTransformedPointAt(CGPoint w) {
    pathPoint = trueCoordinatesToViewCoordinates(w);
    if (transformedPathShownInDomain != nullptr) {
        transformedPathShownInDomain->lineToPoint(pathPoint);
    }
    setNeedsDisplay(true);
}

void DomainView::jumpTransformedPathTo(CGPoint w) {
    if (transformedPathShownInDomain != nullptr) {
        transformedPathShownInDomain->moveToPoint(trueCoordinatesToViewCoordinates(w));
    }
}

CGSize DomainView::windowWillResize(Window* w, CGSize toSize) {
    PlaneView::windowWillResize(w, toSize);
    const float unit = viewport().unit();
    coords.x += static_cast<double>(xshift / unit);
    coords.y += static_cast<double>(yshift / -unit);
    // The range's readout was taken before the shift.
    if (controller != nullptr) {
        controller->refreshReadouts();
    }
    return toSize;
}

void DomainView::drawRect(Canvas& canvas, CGRect) {
    const bool showImages = controller != nullptr && controller->showTransformedPathsInDomain();
    if (needsCompleteRedraw) {
        drawBaseLayers(canvas);
        drawPaths(canvas, paths);
        for (const PathList& group : preimagePaths) {
            drawPaths(canvas, group);
        }
        drawPaths(canvas, inverseGridlines);
        if (showImages) {
            drawPaths(canvas, transformedPathsShownInDomain);
        }
        drawPaths(canvas, gridlines);
        drawFeatureMarks(canvas, *this, featureMarks);
        needsCompleteRedraw = false;
    } else {
        if (path != nullptr) {
            path->strokeLastElement(canvas);
        }
        // The preimages of a path being drawn in the range grow on every branch at once.
        if (!preimagePaths.empty()) {
            for (const auto& branch : preimagePaths.back()) {
                branch->strokeNewElements(canvas);
            }
        }
        if (showImages && transformedPathShownInDomain != nullptr) {
            if (controller->followsCurvesNearPoles()) {
                transformedPathShownInDomain->strokeNewElements(canvas);
            } else {
                transformedPathShownInDomain->strokeLastElement(canvas);
            }
        }
    }
    drawCoordinates(canvas);
}

void DomainView::setNeedsCompleteRedraw() {
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void DomainView::clear(Sender*) {
    paths.clear();
    removedPaths.clear();
    transformedPathsShownInDomain.clear();
    removedTransformedPathsShownInDomain.clear();
    preimagePaths.clear();
    removedPreimagePaths.clear();
    needsCompleteRedraw = true;
    path = makeLoosePath(loosePath_);
    transformedPathShownInDomain = makeLoosePath(looseTransformedPath_);
    setNeedsDisplay(true);
}

void DomainView::removeLastPath(Sender*) {
    if (paths.empty()) {
        log("Attempt made to remove path when none was present.");
        return;
    }
    removedPaths.push_back(std::move(paths.back()));
    paths.pop_back();
    if (!transformedPathsShownInDomain.empty()) {
        removedTransformedPathsShownInDomain.push_back(
            std::move(transformedPathsShownInDomain.back()));
        transformedPathsShownInDomain.pop_back();
    }
    needsCompleteRedraw = true;
    path = makeLoosePath(loosePath_);
    transformedPathShownInDomain = makeLoosePath(looseTransformedPath_);
    setNeedsDisplay(true);
    log("domain here: removeLastPath just added a path to removedPaths, %s",
        describe(removedPaths).c_str());
}

void DomainView::restoreLastPath() {
    if (removedPaths.empty()) {
        return;
    }
    paths.push_back(std::move(removedPaths.back()));
    removedPaths.pop_back();
    if (!removedTransformedPathsShownInDomain.empty()) {
        transformedPathsShownInDomain.push_back(
            std::move(removedTransformedPathsShownInDomain.back()));
        removedTransformedPathsShownInDomain.pop_back();
    }
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void DomainView::shiftPathsBy(const AffineTransform& transform) {
    moveAll(paths, transform);
    moveAll(transformedPathsShownInDomain, transform);
    // The removed stacks move too, so that a restored path comes back to its place.
    moveAll(removedPaths, transform);
    moveAll(removedTransformedPathsShownInDomain, transform);
    for (std::vector<PathList>* groups : {&preimagePaths, &removedPreimagePaths}) {
        for (PathList& group : *groups) {
            moveAll(group, transform);
        }
    }
    needsCompleteRedraw = true;
    updateCoords();
    if (controller != nullptr) {
        controller->updateRangeCoordinates(coords);
    }
}

void DomainView::moveMappedLayersBy(double dx, double dy) {
    PlaneView::moveMappedLayersBy(dx, dy);
    AffineTransform pan;
    pan.translateXBy(dx, dy);
    moveAll(inverseGridlines, pan);
    shadedPixels_.moveBy(dx, dy);
}

void DomainView::constructAxes() {
    gridlines.clear();
    rebuildGridImages();
    rebuildShadingIfShown();
    PlaneView::constructAxes();
}

void DomainView::rebuildShadingIfShown() {
    if (showContours || showArguments) {
        constructContours();
    }
}

void DomainView::makeHorizontalMarksWithStep(int step) {
    if (showGridlines) {
        addOwnGridlines(true, step, 0.1, false);
    }
    PlaneView::makeHorizontalMarksWithStep(step);
}

void DomainView::makeVerticalMarksWithStep(int step) {
    if (showGridlines) {
        addOwnGridlines(false, step, 0.1, false);
    }
    PlaneView::makeVerticalMarksWithStep(step);
}

void DomainView::constructTransformedGridlines() {
    transformHorizontalGridlines(1);
    transformHorizontalGridlines(-1);
    transformVerticalGridlines(1);
    transformVerticalGridlines(-1);
}

void DomainView::transformHorizontalGridlines(int step) {
    walkIntoRange(true, step);
}

void DomainView::transformVerticalGridlines(int step) {
    walkIntoRange(false, step);
}

void DomainView::walkIntoRange(bool horizontal, int step) {
    if (controller == nullptr) {
        return;
    }
    PlaneController* c = controller;
    if (!c->transformsInParallel()) {
        walkGridlines(
            horizontal, step, [c](CGPoint z) { c->startNewTransformedGridlineAt(z); },
            [c](CGPoint z) { c->addNewPointToTransformedGridlineAt(z); });
        return;
    }
    // The samples first, f at all of them on every core, then the lines built in order from
    // the values found.
    std::vector<CGPoint> z;
    std::vector<std::size_t> starts;
    walkGridlines(
        horizontal, step,
        [&](CGPoint p) {
            starts.push_back(z.size());
            z.push_back(p);
        },
        [&](CGPoint p) { z.push_back(p); });
    std::vector<CGPoint> w(z.size());
    parallel::forEachChunk(z.size(), 1024, [&](std::size_t begin, std::size_t end) {
        c->transformRow(z.data() + begin, w.data() + begin, end - begin);
    });
    std::size_t nextStart = 0;
    for (std::size_t k = 0; k < z.size(); ++k) {
        if (nextStart < starts.size() && starts[nextStart] == k) {
            ++nextStart;
            c->startNewTransformedGridlineAt(z[k], w[k]);
        } else {
            c->addNewPointToTransformedGridlineAt(z[k], w[k]);
        }
    }
}

void DomainView::startNewInverseGridlineAt(CGPoint z) {
    pathStart = trueCoordinatesToViewCoordinates(z);
    auto line = std::make_unique<Path>();
    line->makeDashed();
    line->setLineWidth(0.5);
    line->moveToPoint(pathStart);
    inverseGridline = line.get();
    inverseGridlines.push_back(std::move(line));
}

void DomainView::addNewPointToInverseGridlineAt(CGPoint z) {
    pathPoint = trueCoordinatesToViewCoordinates(z);
    if (inverseGridline != nullptr) {
        inverseGridline->lineToPoint(pathPoint);
    }
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void DomainView::jumpInverseGridlineTo(CGPoint z) {
    if (inverseGridline != nullptr) {
        inverseGridline->moveToPoint(trueCoordinatesToViewCoordinates(z));
    }
}

void DomainView::clearInverseGridlines() {
    inverseGridlines.clear();
    inverseGridline = nullptr;
}

void DomainView::showDomainGrid(Sender* sender) {
    toggleDisplayOption(sender, showGridlines);
}

void DomainView::viewDidEndLiveResize() {
    rebuildShadingIfShown();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

}  // namespace zw
