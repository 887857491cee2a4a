#include "planes/PlaneView.h"

#include <string>
#include <utility>
#include <vector>

#include "planes/Readout.h"
#include "platform/Canvas.h"
#include "platform/ColorPanel.h"
#include "platform/Log.h"
#include "platform/Sender.h"
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

CGPoint PlaneView::trueCoordinatesToViewCoordinates(CGPoint z) const {
    const double k = static_cast<double>(100.0f * scaleFactor);
    return {static_cast<double>(viewWidth / 2) + (k * z.x + translation.x),
            static_cast<double>(viewHeight / 2) + (k * z.y + translation.y)};
}

CGPoint PlaneView::viewCoordinatesToTrueCoordinates(CGPoint p) const {
    const double k = static_cast<double>(100.0f * scaleFactor);
    return {((p.x - translation.x) - static_cast<double>(viewWidth / 2)) / k,
            ((p.y - translation.y) - static_cast<double>(viewHeight / 2)) / k};
}

double PlaneView::unitSize() const {
    return 1.0 / static_cast<double>(100.0f * scaleFactor);
}

CGSize PlaneView::windowWillResize(Window* w, CGSize toSize) {
    const CGSize current =
        w != nullptr ? w->frameSize()
                     : CGSize{static_cast<double>(viewWidth), static_cast<double>(viewHeight)};
    xshift = static_cast<float>((toSize.width - current.width) / 2.0);
    yshift = static_cast<float>((toSize.height - current.height) / 2.0);
    const auto newWidth = static_cast<int32_t>(static_cast<float>(viewWidth) + 2 * xshift);
    const auto newHeight = static_cast<int32_t>(static_cast<float>(viewHeight) + 2 * yshift);
    // The paths follow the view centre, which moves by whole units: by half an odd change
    // they would end half a unit off their points, and every later zoom-in doubles that.
    AffineTransform shift;
    shift.translateXBy(static_cast<double>(newWidth / 2 - viewWidth / 2),
                       static_cast<double>(newHeight / 2 - viewHeight / 2));
    shiftPathsBy(shift);
    viewWidth = newWidth;
    viewHeight = newHeight;
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

bool PlaneView::changeScaleFactor(float newFactor) {
    if (!(newFactor >= kMinScaleFactor && newFactor <= kMaxScaleFactor)) {
        return false;
    }
    scaleFactor = newFactor;
    return true;
}

void PlaneView::zoomIn(Sender*) {
    if (!changeScaleFactor(scaleFactor + scaleFactor)) {
        return;
    }
    zoomPaths(2.0f);
    constructAxes();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void PlaneView::zoomOut(Sender*) {
    if (!changeScaleFactor(scaleFactor / 2.0f)) {
        return;
    }
    zoomPaths(0.5f);
    constructAxes();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void PlaneView::zoomPaths(float s) {
    const CGPoint c{static_cast<double>(viewWidth / 2), static_cast<double>(viewHeight / 2)};
    const CGPoint t = translation;
    const double factor = s;
    AffineTransform a;
    a.translateXBy(-(c.x + t.x), -(c.y + t.y));
    AffineTransform b;
    b.scaleBy(factor);
    AffineTransform cT;
    cT.translateXBy(c.x + t.x * factor, c.y + t.y * factor);
    AffineTransform composed;
    composed.appendTransform(a);
    composed.appendTransform(b);
    composed.appendTransform(cT);
    shiftPathsBy(composed);
    translation = {factor * t.x, factor * t.y};
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
        AffineTransform pan;
        pan.translateXBy(dx, dy);
        translation = {translation.x + dx, translation.y + dy};
        shiftPathsBy(pan);
    } else if (Window* w = window()) {
        w->beginAlertSheet("Unrecogonised key", "OK", "", "",
                           "Use the cursor keys or the '2', '4', '6', '8' keys on the numerical "
                           "keypad to move around.");
    }
    constructAxes();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void PlaneView::zoomAt(CGPoint p, bool in) {
    if (!changeScaleFactor(in ? scaleFactor + scaleFactor : scaleFactor / 2.0f)) {
        return;
    }
    const double s = in ? 2.0 : 0.5;
    const CGPoint c{static_cast<double>(viewWidth / 2), static_cast<double>(viewHeight / 2)};
    const CGPoint t = translation;
    AffineTransform toPointer;
    toPointer.translateXBy(-p.x, -p.y);
    AffineTransform scale;
    scale.scaleBy(s);
    AffineTransform back;
    back.translateXBy(p.x, p.y);
    AffineTransform composed;
    composed.appendTransform(toPointer);
    composed.appendTransform(scale);
    composed.appendTransform(back);
    // p = c + k·z + t for the true point z under p; with k doubled (halved) z stays under p when
    // p - c - t' is s·(p - c - t). Set before the shift, which reads the viewport for the readout.
    translation = {(p.x - c.x) - s * ((p.x - c.x) - t.x), (p.y - c.y) - s * ((p.y - c.y) - t.y)};
    shiftPathsBy(composed);
    constructAxes();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void PlaneView::moveViewBy(double dx, double dy) {
    AffineTransform pan;
    pan.translateXBy(dx, dy);
    translation = {translation.x + dx, translation.y + dy};
    shiftPathsBy(pan);
}

void PlaneView::panBy(double dx, double dy) {
    moveViewBy(dx, dy);
    constructAxes();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
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
    constructAxes();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void PlaneView::moveMappedLayersBy(double dx, double dy) {
    for (ColoredRect& box : contours) {
        box.rect.origin.x += dx;
        box.rect.origin.y += dy;
    }
    contourLattice.moveBy(dx, dy);
}

void PlaneView::resetView(Sender*) {
    const CGPoint c{static_cast<double>(viewWidth / 2), static_cast<double>(viewHeight / 2)};
    const CGPoint t = translation;
    // Powers of two: the reciprocal is exact.
    const double s = 1.0 / static_cast<double>(scaleFactor);
    AffineTransform toOrigin;
    toOrigin.translateXBy(-(c.x + t.x), -(c.y + t.y));
    AffineTransform scale;
    scale.scaleBy(s);
    AffineTransform toCentre;
    toCentre.translateXBy(c.x, c.y);
    AffineTransform composed;
    composed.appendTransform(toOrigin);
    composed.appendTransform(scale);
    composed.appendTransform(toCentre);
    scaleFactor = 1.0f;
    translation = {0.0, 0.0};
    shiftPathsBy(composed);
    constructAxes();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
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
    constructAxes();
    needsCompleteRedraw = true;
    setNeedsDisplay(true);
}

void PlaneView::toggleAxesLabels(Sender* sender) {
    toggleDisplayOption(sender, tickMarks);
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
