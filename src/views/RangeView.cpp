#include "views/RangeView.h"

#include "platform/Alerts.h"
#include "platform/Canvas.h"
#include "platform/Sender.h"
#include "platform/Translatable.h"

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
        drawPaths(canvas, gridlines);
        drawPaths(canvas, transformedGridlines);
        needsCompleteRedraw = false;
    } else if (path != nullptr) {
        if (controller != nullptr && controller->followsCurvesNearPoles()) {
            path->strokeNewElements(canvas);
        } else {
            path->strokeLastElement(canvas);
        }
    }
    drawCoordinates(canvas);
}

void RangeView::toggleAllowDrawing_(Sender*) {
    runAlertPanel(QT_TRANSLATE_NOOP("zw::Alerts", "Unimplemented feature"),
                  QT_TRANSLATE_NOOP("zw::Alerts", "Drawing on range is not yet implemented."), "OK",
                  "", "");
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
