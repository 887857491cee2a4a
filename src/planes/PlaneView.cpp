#include "planes/PlaneView.h"

#include <string>
#include <utility>
#include <vector>

#include "planes/Readout.h"
#include "platform/Canvas.h"
#include "platform/ColorPanel.h"
#include "platform/Log.h"
#include "platform/Sender.h"
#include "platform/Translatable.h"
#include "platform/UndoManager.h"
#include "platform/ViewHost.h"

namespace zw {

namespace {
constexpr double kPanStep = 100.0;

}  // namespace

PlaneView::PlaneView(ViewHost* host, CGRect frame) : host_(host), frame_(frame) {
    scaleFactor = 1.0f;
    translation = {0.0, 0.0};
    tickMarks = true;
    labelAttributes = TextAttributes{"Helvetica", 10.0};
    viewWidth = static_cast<int32_t>(frame.size.width);
    viewHeight = static_cast<int32_t>(frame.size.height);
}

PlaneView::~PlaneView() = default;

void PlaneView::completeInitialisation() {
    constructAxes();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
    standardAttributes = TextAttributes{};
    coordsPosition = {2.0, 2.0};
    coordsRect.size = {80.0, 15.0};
}

void PlaneView::awakeFromNib() {
    if (Window* w = window()) {
        w->setDelegate(this);
    }
    colorPanel = ColorPanel::sharedColorPanel();
    pathColor = Color::blackColor();
}

void PlaneView::setViewport(const Viewport& v) {
    scaleFactor = v.scaleFactor;
    translation = v.translation;
    viewWidth = v.viewWidth;
    viewHeight = v.viewHeight;
}

void PlaneView::moveTo(const Viewport::Change& change) {
    setViewport(change.viewport);
    shiftPathsBy(change.move);
}

void PlaneView::rebuildAndRedraw() {
    constructAxes();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

CGSize PlaneView::windowWillResize(Window* w, CGSize toSize) {
    const CGSize current =
        w != nullptr ? w->frameSize()
                     : CGSize{static_cast<double>(viewWidth), static_cast<double>(viewHeight)};
    xshift = static_cast<float>((toSize.width - current.width) / 2.0);
    yshift = static_cast<float>((toSize.height - current.height) / 2.0);
    const auto newWidth = static_cast<int32_t>(static_cast<float>(viewWidth) + 2 * xshift);
    const auto newHeight = static_cast<int32_t>(static_cast<float>(viewHeight) + 2 * yshift);
    const Viewport::Change change = viewport().resized(newWidth, newHeight);
    // The paths move while the old size is in force: the domain takes its readout there and
    // moves it by the shift afterwards.
    shiftPathsBy(change.move);
    setViewport(change.viewport);
    needsCompleteRedraw = true;
    constructAxes();
    return toSize;
}

void PlaneView::moveAll(PathList& list, const AffineTransform& transform) {
    for (auto& p : list) {
        p->transformUsingAffineTransform(transform);
    }
}

void PlaneView::shiftPathsBy(const AffineTransform& transform) {
    moveAll(paths, transform);
    // Removed paths move too, so that a restored path comes back to its place in the plane.
    moveAll(removedPaths, transform);
    needsCompleteRedraw = true;
}

void PlaneView::zoomIn(Sender*) {
    zoomPaths(2.0f);
}

void PlaneView::zoomOut(Sender*) {
    zoomPaths(0.5f);
}

void PlaneView::zoomPaths(float s) {
    const auto change = viewport().zoomedAboutCentre(s);
    if (!change) {
        return;  // at a limit of the scale factor
    }
    // The zoom items move the paths with the new scale factor in force but before the
    // translation follows it; the domain's readout is taken in between, as it always was.
    scaleFactor = change->viewport.scaleFactor;
    shiftPathsBy(change->move);
    setViewport(change->viewport);
    rebuildAndRedraw();
}

void PlaneView::keyDown(const KeyEvent& event) {
    const std::u16string& key = event.characters;
    double dx = 0.0, dy = 0.0;
    if (key == u"4" || key == std::u16string(1, kLeftArrowFunctionKey)) {
        dx = kPanStep;
    } else if (key == u"6" || key == std::u16string(1, kRightArrowFunctionKey)) {
        dx = -kPanStep;
    } else if (key == u"2" || key == std::u16string(1, kDownArrowFunctionKey)) {
        dy = kPanStep;
    } else if (key == u"8" || key == std::u16string(1, kUpArrowFunctionKey)) {
        dy = -kPanStep;
    }
    if (dx != 0.0 || dy != 0.0) {
        moveViewBy(dx, dy);
    } else if (Window* w = window()) {
        w->beginAlertSheet(
            QT_TRANSLATE_NOOP("zw::Alerts", "Unrecogonised key"), "OK", "", "",
            QT_TRANSLATE_NOOP("zw::Alerts",
                              "Use the cursor keys or the '2', '4', '6', '8' keys on "
                              "the numerical keypad to move around."));
    }
    rebuildAndRedraw();
}

void PlaneView::zoomAt(CGPoint p, bool in) {
    if (const auto change = viewport().zoomedAbout(p, in ? 2.0f : 0.5f)) {
        moveTo(*change);
        rebuildAndRedraw();
    }
}

void PlaneView::moveViewBy(double dx, double dy) {
    moveTo(viewport().panned(dx, dy));
}

void PlaneView::panBy(double dx, double dy) {
    moveViewBy(dx, dy);
    rebuildAndRedraw();
}

void PlaneView::livePanBy(double dx, double dy) {
    moveViewBy(dx, dy);
    moveMappedLayersBy(dx, dy);
    // Axes, ticks, labels and the plane's own grid cost little: the base rebuild makes them,
    // the planes' marks operations adding their grid, without asking the controller for more.
    gridlines.clear();
    PlaneView::constructAxes();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void PlaneView::endLivePan() {
    rebuildAndRedraw();
}

void PlaneView::rebuildGridImages() {
    if (controller != nullptr) {
        controller->constructTransformedGridlines();
        if (controller->showInverseImagesOfRangeGridlines() ||
            controller->pullsBackOnEveryBranch()) {
            controller->constructInverseGridlines();
        }
    }
}

void PlaneView::moveMappedLayersBy(double dx, double dy) {
    for (ColoredRect& box : contours) {
        box.rect.origin.x += dx;
        box.rect.origin.y += dy;
    }
    contourLattice.moveBy(dx, dy);
}

void PlaneView::resetView(Sender*) {
    moveTo(viewport().reset());
    rebuildAndRedraw();
}

Path* PlaneView::makeLoosePath(std::unique_ptr<Path>& holder) {
    holder = std::make_unique<Path>();
    return holder.get();
}

void PlaneView::clear(Sender*) {
    paths.clear();
    removedPaths.clear();
    needsCompleteRedraw = true;
    path = makeLoosePath(loosePath_);
    setNeedsDisplay(true);
}

void PlaneView::removeLastPath(Sender*) {
    if (paths.empty()) {
        log("Attempt made to remove path when none was present.");
        return;
    }
    removedPaths.push_back(std::move(paths.back()));
    paths.pop_back();
    needsCompleteRedraw = true;
    path = makeLoosePath(loosePath_);
    setNeedsDisplay(true);
}

void PlaneView::restoreLastPath() {
    if (removedPaths.empty()) {
        return;
    }
    paths.push_back(std::move(removedPaths.back()));
    removedPaths.pop_back();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void PlaneView::drawPaths(Canvas& canvas, const PathList& list) const {
    for (const auto& p : list) {
        p->stroke(canvas);
    }
}

void PlaneView::drawRect(Canvas&, CGRect) {}

void PlaneView::fillBackground(Canvas&) {}

void PlaneView::drawBaseLayers(Canvas& canvas) {
    canvas.setColor(Color::whiteColor());
    BezierPath::fillRect(canvas, bounds());
    fillBackground(canvas);
    if (xaxis) {
        xaxis->stroke(canvas);
    }
    if (yaxis) {
        yaxis->stroke(canvas);
    }
    drawPaths(canvas, axesTickMarks);
    drawLabels(canvas, axesLabels);
}

void PlaneView::drawCoordinates(Canvas& canvas) {
    if (!showsReadout) {
        return;
    }
    canvas.setColor(Color::whiteColor());
    oldCoordsRect = coordsRect;
    oldCoordsRect.size.width += 5.0;
    // The text stands at coordsPosition, above the box's origin: erase that much higher too,
    // or the tops of the previous glyphs stay behind.
    oldCoordsRect.size.height += coordsPosition.y;
    BezierPath::fillRect(canvas, oldCoordsRect);
    const std::string text = Readout::point(coords, unitSize());
    coordsRect.size = canvas.sizeOfText(text, standardAttributes);
    BezierPath::fillRect(canvas, coordsRect);
    canvas.drawText(text, coordsPosition, standardAttributes);
}

void PlaneView::setColorBlack(Sender*) {
    pathColor = Color::blackColor();
}
void PlaneView::setColorBlue(Sender*) {
    pathColor = Color::blueColor();
}
void PlaneView::setColorGreen(Sender*) {
    pathColor = Color::greenColor();
}
void PlaneView::setColorRed(Sender*) {
    pathColor = Color::redColor();
}

void PlaneView::setColorOther(Sender*) {
    if (colorPanel == nullptr) {
        return;
    }
    colorPanel->setTarget([this] { newColorChosen(); });
    colorPanel->makeKeyAndOrderFront();
}

void PlaneView::newColorChosen() {
    if (colorPanel != nullptr) {
        pathColor = colorPanel->color();
    }
}

void PlaneView::toggleDisplayOption(Sender* item, bool& flag) {
    if (item != nullptr && item->state() != 0) {
        flag = false;
        item->setState(0);
    } else {
        flag = true;
        if (item != nullptr) {
            item->setState(1);
        }
    }
    rebuildAndRedraw();
}

void PlaneView::toggleAxesLabels(Sender* sender) {
    toggleDisplayOption(sender, tickMarks);
}

void PlaneView::setCoordinatesAtEdges(bool on) {
    if (coordinatesAtEdges != on) {
        coordinatesAtEdges = on;
        rebuildAndRedraw();
    }
}

CGRect PlaneView::bounds() const {
    return host_ != nullptr ? host_->bounds() : CGRect{{0.0, 0.0}, frame_.size};
}

void PlaneView::setNeedsDisplay(bool needs) {
    if (host_ != nullptr) {
        host_->setNeedsDisplay(needs);
    }
}

bool PlaneView::inLiveResize() const {
    return host_ != nullptr && host_->inLiveResize();
}

Window* PlaneView::window() const {
    return host_ != nullptr ? host_->window() : nullptr;
}

UndoManager* PlaneView::undoManager() const {
    return host_ != nullptr ? host_->undoManager() : nullptr;
}

}  // namespace zw
