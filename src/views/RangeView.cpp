#include "views/RangeView.h"

#include "platform/Canvas.h"
#include "platform/Sender.h"
#include "platform/ViewHost.h"

namespace zw {

RangeView::RangeView(ViewHost* viewHost, CGRect frame) : PlaneView(viewHost, frame) {
    completeInitialisation();
    showTransformedGridlines = true;
    showGridlines = false;
    transformedGridlines.clear();
}

void RangeView::startNewPathAt(CGPoint w) {
    pathStart = trueCoordinatesToViewCoordinates(w);
    auto image = std::make_unique<Path>();
    image->setColor(pathColor);
    image->setLineWidth(1.0);
    image->moveToPoint(pathStart);
    path = image.get();
    paths.push_back(std::move(image));
}

void RangeView::addNewPointAt(CGPoint w) {
    pathPoint = trueCoordinatesToViewCoordinates(w);
    if (path != nullptr) {
        path->lineToPoint(pathPoint);
    }
    setNeedsDisplay(true);
}

void RangeView::jumpPathTo(CGPoint w) {
    if (path != nullptr) {
        path->moveToPoint(trueCoordinatesToViewCoordinates(w));
    }
}

void RangeView::jumpTransformedGridlineTo(CGPoint w) {
    if (transformedGridline != nullptr) {
        transformedGridline->moveToPoint(trueCoordinatesToViewCoordinates(w));
    }
}

void RangeView::setTransformedCoords(CGPoint w) {
    coords = w;
    setNeedsDisplay(true);
}

void RangeView::drawRect(Canvas& canvas, CGRect) {
    if (needsCompleteRedraw) {
        drawBaseLayers(canvas);
        drawPaths(canvas, paths);
        drawPaths(canvas, drawnPaths);
        drawPaths(canvas, gridlines);
        drawPaths(canvas, transformedGridlines);
        drawFeatureMarks(canvas, *this, featureMarks);
        needsCompleteRedraw = false;
    } else if (drawingPath_ && !drawnPaths.empty()) {
        drawnPaths.back()->strokeNewElements(canvas);
    } else if (path != nullptr) {
        if (controller != nullptr && controller->followsCurvesNearPoles()) {
            path->strokeNewElements(canvas);
        } else {
            path->strokeLastElement(canvas);
        }
    }
    drawCoordinates(canvas);
}

void RangeView::toggleAllowDrawing_(Sender* sender) {
    toggleOption(sender, allowDrawing);
}

namespace {

CGPoint viewPosition(const PlaneView& view, const MouseEvent& event) {
    return view.host() != nullptr ? view.host()->convertPointFromWindow(event.locationInWindow)
                                  : event.locationInWindow;
}

}  // namespace

void RangeView::mouseDown(const MouseEvent& event) {
    if (drawingPath_) {
        // The release of the path before went astray; that path is finished all the same.
        mouseUp(event);
    }
    if (!allowDrawing) {
        return;
    }
    drawingPath_ = true;
    pathStart = viewPosition(*this, event);
    auto drawn = std::make_unique<Path>();
    drawn->setColor(pathColor);
    drawn->setLineWidth(1.0);
    drawn->moveToPoint(pathStart);
    drawnPaths.push_back(std::move(drawn));
    if (controller != nullptr) {
        controller->newRangePathStartedAt(viewCoordinatesToTrueCoordinates(pathStart));
    }
    setNeedsDisplay(true);
}

void RangeView::mouseDragged(const MouseEvent& event) {
    if (!drawingPath_ || drawnPaths.empty()) {
        return;
    }
    pathPoint = viewPosition(*this, event);
    drawnPaths.back()->lineToPoint(pathPoint);
    if (controller != nullptr) {
        controller->newRangePointAt(viewCoordinatesToTrueCoordinates(pathPoint));
    }
    setNeedsDisplay(true);
}

void RangeView::mouseUp(const MouseEvent&) {
    if (!drawingPath_) {
        return;
    }
    drawingPath_ = false;
    if (controller != nullptr) {
        controller->rangePathEnded();
    }
}

void RangeView::shiftPathsBy(const AffineTransform& transform) {
    PlaneView::shiftPathsBy(transform);
    moveAll(drawnPaths, transform);
    moveAll(removedDrawnPaths, transform);
}

void RangeView::clear(Sender* sender) {
    PlaneView::clear(sender);
    drawnPaths.clear();
    removedDrawnPaths.clear();
}

void RangeView::removeLastDrawnPath() {
    if (drawnPaths.empty()) {
        return;
    }
    removedDrawnPaths.push_back(std::move(drawnPaths.back()));
    drawnPaths.pop_back();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void RangeView::restoreLastDrawnPath() {
    if (removedDrawnPaths.empty()) {
        return;
    }
    drawnPaths.push_back(std::move(removedDrawnPaths.back()));
    removedDrawnPaths.pop_back();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void RangeView::constructAxes() {
    gridlines.clear();
    clearTransformedGridlines();
    rebuildGridImages();
    PlaneView::constructAxes();
}

void RangeView::moveMappedLayersBy(double dx, double dy) {
    PlaneView::moveMappedLayersBy(dx, dy);
    AffineTransform pan;
    pan.translateXBy(dx, dy);
    moveAll(transformedGridlines, pan);
}

void RangeView::makeHorizontalMarksWithStep(int step) {
    if (showGridlines) {
        addOwnGridlines(true, step, 0.5, true);
    }
    PlaneView::makeHorizontalMarksWithStep(step);
}

void RangeView::makeVerticalMarksWithStep(int step) {
    if (showGridlines) {
        addOwnGridlines(false, step, 0.5, true);
    }
    PlaneView::makeVerticalMarksWithStep(step);
}

void RangeView::startNewTransformedGridlineAt(CGPoint w) {
    pathStart = trueCoordinatesToViewCoordinates(w);
    auto line = std::make_unique<Path>();
    line->setLineWidth(0.1);
    line->moveToPoint(pathStart);
    transformedGridline = line.get();
    transformedGridlines.push_back(std::move(line));
}

void RangeView::addNewPointToTransformedGridlineAt(CGPoint w) {
    pathPoint = trueCoordinatesToViewCoordinates(w);
    if (transformedGridline != nullptr) {
        transformedGridline->lineToPoint(pathPoint);
    }
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void RangeView::clearTransformedGridlines() {
    transformedGridlines.clear();
    transformedGridline = nullptr;
}

void RangeView::showTransformedGridlinesAction(Sender* sender) {
    if (sender == nullptr || sender->state() == 0) {
        if (sender != nullptr) {
            sender->setState(1);
        }
        showTransformedGridlines = true;
        constructAxes();
    } else {
        sender->setState(0);
        showTransformedGridlines = false;
        clearTransformedGridlines();
        needsCompleteRedraw = true;
        setNeedsDisplay(true);
    }
}

void RangeView::showRangeGrid(Sender* sender) {
    toggleDisplayOption(sender, showGridlines);
}

void RangeView::constructInverseGridlines() {
    transformHorizontalGridlines(1);
    transformHorizontalGridlines(-1);
    transformVerticalGridlines(1);
    transformVerticalGridlines(-1);
}

void RangeView::transformHorizontalGridlines(int step) {
    walkIntoDomain(true, step);
}

void RangeView::transformVerticalGridlines(int step) {
    walkIntoDomain(false, step);
}

void RangeView::walkIntoDomain(bool horizontal, int step) {
    if (controller == nullptr) {
        return;
    }
    PlaneController* c = controller;
    walkGridlines(
        horizontal, step, [c](CGPoint w) { c->startNewInverseGridlineAt(w); },
        [c](CGPoint w) { c->addNewPointToInverseGridlineAt(w); });
}

}  // namespace zw
