#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/Geometry.h"

namespace zw {

// A mouse button as the pane reports it, whatever the toolkit calls it.
enum class MouseButton : std::uint8_t { None = 0, Left = 1, Middle = 2, Right = 4, Other = 8 };

// The buttons held while the pointer moves.
class MouseButtons {
  public:
    constexpr MouseButtons() = default;
    constexpr MouseButtons(MouseButton button) : bits_(static_cast<std::uint8_t>(button)) {}
    constexpr MouseButtons operator|(MouseButtons other) const {
        MouseButtons both;
        both.bits_ = static_cast<std::uint8_t>(bits_ | other.bits_);
        return both;
    }
    constexpr bool has(MouseButton button) const {
        return (bits_ & static_cast<std::uint8_t>(button)) != 0;
    }
    constexpr bool none() const { return bits_ == 0; }

  private:
    std::uint8_t bits_ = 0;
};

constexpr MouseButtons operator|(MouseButton a, MouseButton b) {
    return MouseButtons(a) | MouseButtons(b);
}

// What the pane does with its plane for one event, in order.
enum class GestureStep : std::uint8_t {
    StartPath,  // the plane's mouseDown at the event's point
    AddPoint,   // mouseDragged
    EndPath,    // mouseUp
    StartPan,   // the grabbing hand: the plane follows the pointer from here
    PanBy,      // the plane moves by `panBy`, then takes the pointer's new place as a move
    EndPan,     // the hand goes; the plane rebuilds what it only moved, and the passes run
    Hover,      // mouseMoved: the readout follows the pointer
};

struct GestureOutcome {
    std::array<GestureStep, 2> steps{};
    std::size_t count = 0;
    // For PanBy, in the event's own coordinates.
    CGPoint panBy{0.0, 0.0};
    // Wheel notches to zoom by, about the pointer: positive in, negative out.
    int zoom = 0;
    // The pointer's readout changed (it stops or starts following the pointer) though the
    // plane took nothing to say so.
    bool pointerChanged = false;
    // The plane has no use for the event: the pane lets it go on to its parent.
    bool passedOn = false;
    // The plane took the event: the passes run and the handling is announced.
    bool handled = false;

    void add(GestureStep step) { steps[count++] = step; }
};

// What a press, move or release of the mouse means in one plane's pane, and what follows from
// it: the left button draws, the middle or the right button pans, and a pointer moving with
// no button held has its readout shown. Points are in whatever coordinates the pane gives;
// the pan's offset comes back in the same ones.
//
// The toolkit does not always deliver a release: one taken by a popup or another window never
// comes. So a move with the gesture's button no longer held ends a drawing there; a pan only
// stops following the pointer and ends when its release (or a left press) comes.
class Gesture {
  public:
    enum class State { Idle, Hovering, Drawing, Panning, Dialog };

    GestureOutcome press(MouseButton button, CGPoint at);
    GestureOutcome move(MouseButtons held, CGPoint at);
    GestureOutcome release(MouseButton button, CGPoint at);
    // The pointer came over the pane or left it.
    GestureOutcome enter();
    GestureOutcome leave();
    // A turn of the vertical wheel, in eighths of a degree (a notch is kWheelNotch). A
    // trackpad's small steps add up to a notch; turning the other way starts afresh.
    GestureOutcome wheel(int delta);
    // Ends no gesture: a drawing may well go on under the sheet a key asked for, and the next
    // move says whether the button is still held.
    GestureOutcome focusLost();
    // A modal alert blocks the pane. The toolkit sends the pane no pointer input meanwhile, and
    // whatever still comes (a release the pane had grabbed) is taken as ever, so a gesture
    // under the alert goes on or ends by the same rules once it closes.
    void dialogOpened() { dialogOpen_ = true; }
    void dialogClosed() { dialogOpen_ = false; }

    State state() const;
    // The left button went down here and its release has not been seen.
    bool drawing() const { return drawing_; }
    bool panning() const { return panButton_ != MouseButton::None; }
    // The pointer last moved with no button held and has not left nor been pressed since.
    bool hovering() const { return hovering_; }

    static constexpr int kWheelNotch = 120;

  private:
    bool drawing_ = false;
    bool hovering_ = false;
    bool dialogOpen_ = false;
    MouseButton panButton_ = MouseButton::None;
    CGPoint panFrom_{0.0, 0.0};
    // Wheel angle not yet spent on a notch; wide enough for any turn the toolkit reports.
    long long wheelPending_ = 0;
};

}  // namespace zw
