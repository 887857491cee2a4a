#include "planes/Gesture.h"

namespace zw {

Gesture::State Gesture::state() const {
    if (dialogOpen_) {
        return State::Dialog;
    }
    if (drawing_) {
        return State::Drawing;
    }
    if (panning()) {
        return State::Panning;
    }
    return hovering_ ? State::Hovering : State::Idle;
}

GestureOutcome Gesture::press(MouseButton button, CGPoint at) {
    GestureOutcome out;
    // While a button is down the picture under the pointer speaks for itself.
    out.pointerChanged = hovering_;
    hovering_ = false;
    const bool panButton = button == MouseButton::Middle || button == MouseButton::Right;
    // One gesture at a time: a second pan button, or one pressed while drawing, does nothing.
    if (panButton && !drawing_ && !panning()) {
        panButton_ = button;
        panFrom_ = at;
        out.add(GestureStep::StartPan);
        return out;
    }
    if (button != MouseButton::Left) {
        out.passedOn = true;
        return out;
    }
    // Drawing wins over panning: the pan ends where the path starts.
    if (panning()) {
        panButton_ = MouseButton::None;
        out.add(GestureStep::EndPan);
    }
    // A press while drawing means the last release went astray; the plane finishes that path
    // before it starts the next.
    drawing_ = true;
    out.add(GestureStep::StartPath);
    out.handled = true;
    return out;
}

GestureOutcome Gesture::move(MouseButtons held, CGPoint at) {
    GestureOutcome out;
    hovering_ = held.none();
    if (panning()) {
        if (!held.has(panButton_)) {
            // The release went elsewhere; it ends the pan when it comes.
            out.pointerChanged = true;
            return out;
        }
        out.panBy = CGPoint{at.x - panFrom_.x, at.y - panFrom_.y};
        panFrom_ = at;
        out.add(GestureStep::PanBy);
        out.handled = true;
        return out;
    }
    const bool releaseLost = drawing_ && !held.has(MouseButton::Left);
    if (releaseLost) {
        // The release went elsewhere (a popup took the mouse): the path ends here.
        drawing_ = false;
        out.add(GestureStep::EndPath);
    }
    if (drawing_) {
        out.add(GestureStep::AddPoint);
    } else if (held.none()) {
        out.add(GestureStep::Hover);
    } else if (!releaseLost) {
        // A button that starts nothing here (one pressed elsewhere, or a second one).
        out.pointerChanged = true;
        return out;
    }
    out.handled = true;
    return out;
}

GestureOutcome Gesture::release(MouseButton button, CGPoint) {
    GestureOutcome out;
    if (panning() && button == panButton_) {
        panButton_ = MouseButton::None;
        out.add(GestureStep::EndPan);
        return out;
    }
    if (button != MouseButton::Left || !drawing_) {
        out.passedOn = true;
        return out;
    }
    drawing_ = false;
    out.add(GestureStep::EndPath);
    out.handled = true;
    return out;
}

GestureOutcome Gesture::enter() {
    GestureOutcome out;
    out.pointerChanged = true;
    return out;
}

GestureOutcome Gesture::leave() {
    GestureOutcome out;
    hovering_ = false;
    out.pointerChanged = true;
    return out;
}

GestureOutcome Gesture::wheel(int delta) {
    GestureOutcome out;
    if (delta == 0) {
        return out;
    }
    if ((delta > 0) != (wheelPending_ > 0)) {
        wheelPending_ = 0;
    }
    wheelPending_ += delta;
    // Whole notches either way; what is left keeps its sign.
    out.zoom = static_cast<int>(wheelPending_ / kWheelNotch);
    wheelPending_ %= kWheelNotch;
    out.handled = out.zoom != 0;
    return out;
}

GestureOutcome Gesture::focusLost() {
    return GestureOutcome{};
}

}  // namespace zw
