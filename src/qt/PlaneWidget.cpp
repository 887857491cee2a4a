#include "qt/PlaneWidget.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QList>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QWheelEvent>
#include <cmath>
#include <utility>

#include "planes/PlaneView.h"
#include "planes/Readout.h"
#include "qt/QtCanvas.h"

namespace zw {

namespace {

QList<PlaneWidget*>& livePanes() {
    static QList<PlaneWidget*> panes;
    return panes;
}

bool flushQueued = false;

bool isLoneModifier(int key) {
    switch (key) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Meta:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
        case Qt::Key_ScrollLock:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_Hyper_L:
        case Qt::Key_Hyper_R:
        case Qt::Key_Mode_switch:
        case Qt::Key_unknown:
            return true;
        default:
            return false;
    }
}

MouseButton fromQt(Qt::MouseButton button) {
    switch (button) {
        case Qt::NoButton:
            return MouseButton::None;
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        case Qt::RightButton:
            return MouseButton::Right;
        default:
            return MouseButton::Other;
    }
}

// The gesture works in the pane's own positions, y down, as the toolkit gives them: a pan then
// follows the pointer on the screen even if the pane's height changes under it.
CGPoint toPane(const QMouseEvent* event) {
    return CGPoint{event->position().x(), event->position().y()};
}

MouseButtons fromQt(Qt::MouseButtons buttons) {
    MouseButtons held;
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton}) {
        if (buttons & button) {
            held = held | fromQt(button);
            buttons.setFlag(button, false);
        }
    }
    if (buttons != Qt::NoButton) {
        held = held | MouseButton::Other;
    }
    return held;
}

}  // namespace

PlaneWidget::PlaneWidget(UndoManager* undoManager, QWidget* parent)
    : QWidget(parent), undoManager_(undoManager), window_(this) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(64, 64);
    // Both panes follow the pointer for the linked cursor, whatever their plane asks for.
    setMouseTracking(true);
    liveResizeTimer_.setSingleShot(true);
    liveResizeTimer_.setInterval(kLiveResizeEndMs);
    connect(&liveResizeTimer_, &QTimer::timeout, this, &PlaneWidget::endLiveResize);
    allocateImage(size());
    livePanes().append(this);
}

PlaneWidget::~PlaneWidget() {
    livePanes().removeAll(this);
}

CGRect PlaneWidget::frameForNewView() {
    const CGSize size{static_cast<double>(width()), static_cast<double>(height())};
    window_.setFrameSize(size);
    return CGRect{CGPoint{0.0, 0.0}, size};
}

void PlaneWidget::setView(PlaneView* view) {
    view_ = view;
    surfaceLost_ = true;
    if (view_ != nullptr && pending_) {
        scheduleFlush();
    }
}

CGRect PlaneWidget::bounds() const {
    return CGRect{CGPoint{0.0, 0.0},
                  CGSize{static_cast<double>(width()), static_cast<double>(height())}};
}

void PlaneWidget::setNeedsDisplay(bool needs) {
    if (!needs) {
        pending_ = false;
        return;
    }
    pending_ = true;
    // Event handlers flush on their way out; this catches requests from timers and the like.
    scheduleFlush();
}

void PlaneWidget::scheduleFlush() {
    if (flushQueued) {
        return;
    }
    flushQueued = true;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [] {
            flushQueued = false;
            flushAll();
        },
        Qt::QueuedConnection);
}

void PlaneWidget::flushAll() {
    // A pass may destroy nothing, but copy the list anyway: a pass must not see it change.
    const QList<PlaneWidget*> panes = livePanes();
    for (PlaneWidget* pane : panes) {
        if (pane->pending_) {
            pane->runPass();
        }
    }
}

void PlaneWidget::runPass() {
    if (view_ == nullptr || image_.isNull()) {
        return;
    }
    pending_ = false;
    if (surfaceLost_) {
        view_->needsCompleteRedraw = true;
        surfaceLost_ = false;
    }
    QRect changed;
    {
        QtCanvas canvas(&image_);
        view_->drawRect(canvas, bounds());
        changed = canvas.dirtyRect();
    }
    ++passCount_;
    if (!changed.isEmpty()) {
        update(changed);
    }
    // A screen reader hears the readout change as the pass shows it; nobody listening, no cost.
    if (QAccessible::isActive()) {
        const QString now = readout();
        if (now != announcedReadout_) {
            announcedReadout_ = now;
            QAccessibleValueChangeEvent changedValue(this, now);
            QAccessible::updateAccessibility(&changedValue);
        }
    }
}

QString PlaneWidget::readout() const {
    if (view_ == nullptr) {
        return QString();
    }
    return QString::fromStdString(Readout::point(view_->coords, view_->unitSize()));
}

void PlaneWidget::allocateImage(QSize size) {
    // One image pixel per device pixel of the screen the pane is on; view units stay the
    // pane's logical pixels, and the painter scales.
    const qreal ratio = devicePixelRatioF();
    if (size.width() <= 0 || size.height() <= 0) {
        image_ = QImage();
    } else {
        image_ = QImage(static_cast<int>(std::ceil(size.width() * ratio)),
                        static_cast<int>(std::ceil(size.height() * ratio)), QImage::Format_RGB32);
        image_.setDevicePixelRatio(ratio);
        image_.fill(Qt::white);
    }
    imageSize_ = size;
    surfaceLost_ = true;
    pending_ = true;
}

bool PlaneWidget::imageFits(QSize size) const {
    return imageSize_ == size &&
           (image_.isNull() || image_.devicePixelRatio() == devicePixelRatioF());
}

void PlaneWidget::handled() {
    flushAll();
    emit eventHandled();
}

void PlaneWidget::paintEvent(QPaintEvent* event) {
    if (!imageFits(size())) {
        // The window moved to a screen of another pixel density.
        allocateImage(size());
    }
    if (pending_ && view_ != nullptr) {
        // Whatever of the pass lies outside this paint's area is shown by the update it asks for.
        runPass();
    }
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal ratio = image_.devicePixelRatio();
    painter.drawImage(
        QRectF(area), image_,
        QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio));
    if (!markers_.empty()) {
        // Dark under light: the ring reads on white, on any shading and over another ring.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        for (const CGPoint& marker : markers_) {
            const QPointF centre(marker.x, height() - marker.y);
            painter.setPen(QPen(QColor(0, 0, 0), 3.5));
            painter.drawEllipse(centre, kMarkerRadius, kMarkerRadius);
            painter.setPen(QPen(QColor(255, 140, 0), 1.5));
            painter.drawEllipse(centre, kMarkerRadius, kMarkerRadius);
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void PlaneWidget::resizeEvent(QResizeEvent* event) {
    const QSize newSize = event->size();
    if (!imageFits(newSize)) {
        allocateImage(newSize);
    }
    WindowDelegate* delegate = window_.delegate();
    if (view_ != nullptr && delegate != nullptr) {
        const CGSize proposed{static_cast<double>(newSize.width()),
                              static_cast<double>(newSize.height())};
        if (!(proposed == window_.frameSize())) {
            liveResize_ = true;
            liveResizeTimer_.start();
            // The plane fills the pane alone, so the pane's new size is its window's. The
            // frame still answers the old size during the call.
            delegate->windowWillResize(&window_, proposed);
            window_.setFrameSize(proposed);
            pending_ = true;
        }
    }
    handled();
}

void PlaneWidget::endLiveResize() {
    liveResize_ = false;
    if (view_ != nullptr) {
        view_->viewDidEndLiveResize();
    }
    handled();
}

CGPoint PlaneWidget::toView(QPointF position) const {
    return CGPoint{position.x(), height() - position.y()};
}

void PlaneWidget::setMarkers(std::vector<CGPoint> positions) {
    if (positions == markers_) {
        return;
    }
    for (const CGPoint& marker : markers_) {
        update(markerArea(marker));
    }
    markers_ = std::move(positions);
    for (const CGPoint& marker : markers_) {
        update(markerArea(marker));
    }
}

QRect PlaneWidget::markerArea(CGPoint position) const {
    const int reach = static_cast<int>(std::ceil(kMarkerRadius)) + 4;
    const QPoint centre(static_cast<int>(std::lround(position.x)),
                        static_cast<int>(std::lround(height() - position.y)));
    return QRect(centre - QPoint(reach, reach), QSize(2 * reach + 1, 2 * reach + 1));
}

void PlaneWidget::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    pointer_ = toView(event->position());
    carryOut(gesture_.enter(), event->position());
}

void PlaneWidget::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    pointer_.reset();
    carryOut(gesture_.leave(), QPointF());
}

bool PlaneWidget::event(QEvent* event) {
    // A modal window sends these down to every pane of the window it blocks.
    if (event->type() == QEvent::WindowBlocked) {
        gesture_.dialogOpened();
    } else if (event->type() == QEvent::WindowUnblocked) {
        gesture_.dialogClosed();
    }
    return QWidget::event(event);
}

void PlaneWidget::carryOut(const GestureOutcome& outcome, QPointF position) {
    if (outcome.pointerChanged) {
        emit pointerChanged();
    }
    const MouseEvent at{toView(position)};
    for (std::size_t i = 0; i < outcome.count; ++i) {
        switch (outcome.steps[i]) {
            case GestureStep::StartPath:
                view_->mouseDown(at);
                break;
            case GestureStep::AddPoint:
                view_->mouseDragged(at);
                break;
            case GestureStep::EndPath:
                view_->mouseUp(at);
                break;
            case GestureStep::StartPan:
                setCursor(Qt::ClosedHandCursor);
                break;
            case GestureStep::PanBy:
                // View y grows upward, pane y downward.
                view_->livePanBy(outcome.panBy.x, -outcome.panBy.y);
                view_->mouseMoved(at);
                break;
            case GestureStep::EndPan:
                unsetCursor();
                view_->endLivePan();
                // The rebuilt plane is shown before anything else the event does.
                handled();
                break;
            case GestureStep::Hover:
                view_->mouseMoved(at);
                break;
        }
    }
    for (int notch = 0; notch < outcome.zoom; ++notch) {
        view_->zoomAt(at.locationInWindow, true);
    }
    for (int notch = 0; notch > outcome.zoom; --notch) {
        view_->zoomAt(at.locationInWindow, false);
    }
    if (outcome.handled) {
        handled();
    }
}

void PlaneWidget::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (view_ == nullptr) {
        return;
    }
    // Only the vertical wheel zooms; a trackpad without angles gives pixels.
    int delta = event->angleDelta().y();
    if (event->angleDelta().isNull()) {
        delta = event->pixelDelta().y();
    }
    carryOut(gesture_.wheel(delta), event->position());
}

void PlaneWidget::mousePressEvent(QMouseEvent* event) {
    if (view_ == nullptr) {
        QWidget::mousePressEvent(event);
        return;
    }
    const GestureOutcome outcome = gesture_.press(fromQt(event->button()), toPane(event));
    carryOut(outcome, event->position());
    if (outcome.passedOn) {
        QWidget::mousePressEvent(event);
    }
}

void PlaneWidget::mouseMoveEvent(QMouseEvent* event) {
    if (view_ == nullptr) {
        return;
    }
    // Announced with the event's handling, once the plane has taken the move.
    pointer_ = toView(event->position());
    carryOut(gesture_.move(fromQt(event->buttons()), toPane(event)), event->position());
}

void PlaneWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (view_ == nullptr) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const GestureOutcome outcome = gesture_.release(fromQt(event->button()), toPane(event));
    carryOut(outcome, event->position());
    if (outcome.passedOn) {
        QWidget::mouseReleaseEvent(event);
    }
}

void PlaneWidget::keyPressEvent(QKeyEvent* event) {
    // A key held with Ctrl, Alt or Meta is meant as a shortcut; one the menus did not take
    // (Ctrl+Z with nothing to undo, say) is no key for the plane to complain about.
    const bool shortcut =
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (view_ == nullptr || isLoneModifier(event->key()) || shortcut) {
        QWidget::keyPressEvent(event);
        return;
    }
    // The plus and minus keys, main and keypad, zoom the plane about its centre as the zoom
    // items do; "=" is the plus key unshifted.
    if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal) {
        view_->zoomIn(nullptr);
        handled();
        return;
    }
    if (event->key() == Qt::Key_Minus) {
        view_->zoomOut(nullptr);
        handled();
        return;
    }
    std::u16string characters;
    switch (event->key()) {
        case Qt::Key_Up:
            characters = std::u16string(1, kUpArrowFunctionKey);
            break;
        case Qt::Key_Down:
            characters = std::u16string(1, kDownArrowFunctionKey);
            break;
        case Qt::Key_Left:
            characters = std::u16string(1, kLeftArrowFunctionKey);
            break;
        case Qt::Key_Right:
            characters = std::u16string(1, kRightArrowFunctionKey);
            break;
        default: {
            const QString text = event->text();
            characters.assign(reinterpret_cast<const char16_t*>(text.utf16()),
                              static_cast<std::size_t>(text.size()));
            break;
        }
    }
    view_->keyDown(KeyEvent{characters});
    handled();
}

void PlaneWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PlaneWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

}  // namespace zw
