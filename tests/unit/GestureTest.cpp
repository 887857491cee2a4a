// What a pane makes of the mouse: sequences of events, each with what it must lead to, from
// hovering through drawing and panning to releases that never come, a second button during a
// gesture, leaving the pane, losing the focus, a modal alert and the wheel. The same sequences
// then drive a real domain plane, whose drawing must be the gesture's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "planes/Gesture.h"
#include "platform/Events.h"
#include "support/AppHarness.h"

namespace zw {
namespace {

using State = Gesture::State;

MouseButton button(char c) {
    return c == 'L'   ? MouseButton::Left
           : c == 'M' ? MouseButton::Middle
           : c == 'R' ? MouseButton::Right
                      : MouseButton::Other;
}

MouseButtons buttons(const std::string& letters) {
    MouseButtons held;
    for (const char c : letters) {
        held = held | button(c);
    }
    return held;
}

// One event in a few letters: "pL" presses the left button, "rM" releases the middle one,
// "mLR" moves with left and right held and "m" with none, "@x,y" says where; "w120" turns the
// wheel; "enter", "leave", "focus", "alert+" and "alert-" say what their names say.
GestureOutcome send(Gesture& g, const std::string& event, CGPoint& at) {
    const std::size_t sign = event.find('@');
    const std::string head = event.substr(0, sign);
    if (sign != std::string::npos) {
        const std::size_t comma = event.find(',', sign);
        at = {std::stod(event.substr(sign + 1, comma - sign - 1)),
              std::stod(event.substr(comma + 1))};
    }
    const std::string rest = head.substr(1);
    if (head == "enter") {
        return g.enter();
    }
    if (head == "leave") {
        return g.leave();
    }
    if (head == "focus") {
        return g.focusLost();
    }
    if (head == "alert+") {
        g.dialogOpened();
        return {};
    }
    if (head == "alert-") {
        g.dialogClosed();
        return {};
    }
    switch (head[0]) {
        case 'p':
            return g.press(button(rest.at(0)), at);
        case 'r':
            return g.release(button(rest.at(0)), at);
        case 'm':
            return g.move(buttons(rest), at);
        case 'w':
            return g.wheel(std::stoi(rest));
    }
    ADD_FAILURE() << "no such event: " << event;
    return {};
}

// The outcome in a few words: the steps in order, then what else the pane must do.
std::string describe(const GestureOutcome& o) {
    static const char* const names[] = {"StartPath", "AddPoint", "EndPath", "StartPan",
                                        "PanBy",     "EndPan",   "Hover"};
    std::string text;
    const auto word = [&text](const std::string& w) { text += (text.empty() ? "" : " ") + w; };
    if (o.pointerChanged) {
        word("pointer");
    }
    for (std::size_t i = 0; i < o.count; ++i) {
        word(names[static_cast<int>(o.steps[i])]);
        if (o.steps[i] == GestureStep::PanBy) {
            text += "(" + std::to_string(static_cast<int>(o.panBy.x)) + "," +
                    std::to_string(static_cast<int>(o.panBy.y)) + ")";
        }
    }
    if (o.zoom != 0) {
        word("zoom" + std::string(o.zoom > 0 ? "+" : "") + std::to_string(o.zoom));
    }
    if (o.passedOn) {
        word("passed");
    }
    if (o.handled) {
        word("handled");
    }
    return text;
}

struct Row {
    const char* name;
    std::vector<std::pair<const char*, const char*>> events;
    State end;
};

const std::vector<Row>& rows() {
    static const std::vector<Row> table = {
        {"hover, draw, release",
         {{"m", "Hover handled"},
          {"pL", "pointer StartPath handled"},
          {"mL", "AddPoint handled"},
          {"rL", "EndPath handled"},
          {"pL", "StartPath handled"}},
         State::Drawing},
        {"a release lost to a popup ends the path at the next move",
         {{"pL", "StartPath handled"},
          {"mL", "AddPoint handled"},
          {"m", "EndPath Hover handled"},
          {"rL", "passed"}},
         State::Hovering},
        {"a lost release seen with another button held ends the path and starts nothing",
         {{"pL", "StartPath handled"},
          {"mR", "EndPath handled"},
          {"mR", "pointer"},
          {"rR", "passed"}},
         State::Idle},
        {"a second press before any move finishes the path in the plane",
         {{"pL", "StartPath handled"}, {"pL", "StartPath handled"}},
         State::Drawing},
        {"a pan button while drawing neither pans nor ends the path",
         {{"pL", "StartPath handled"},
          {"pR", "passed"},
          {"pM", "passed"},
          {"mLR", "AddPoint handled"},
          {"rR", "passed"},
          {"mL", "AddPoint handled"},
          {"rL", "EndPath handled"}},
         State::Idle},
        {"the middle button pans by the pointer's steps",
         {{"m@5,5", "Hover handled"},
          {"pM@10,10", "pointer StartPan"},
          {"mM@13,8", "PanBy(3,-2) handled"},
          {"mM@13,8", "PanBy(0,0) handled"},
          {"mM@3,20", "PanBy(-10,12) handled"},
          {"rL", "passed"},
          {"rM", "EndPan"}},
         State::Idle},
        {"one pan at a time; a left press ends it and draws",
         {{"pR@0,0", "StartPan"},
          {"pM", "passed"},
          {"rM", "passed"},
          {"mR@4,4", "PanBy(4,4) handled"},
          {"pL", "EndPan StartPath handled"},
          {"rR", "passed"},
          {"mL", "AddPoint handled"}},
         State::Drawing},
        {"a pan whose release went astray waits for it",
         {{"pR@0,0", "StartPan"},
          {"m@7,7", "pointer"},
          {"mR@9,10", "PanBy(9,10) handled"},
          {"m", "pointer"},
          {"rR", "EndPan"}},
         State::Hovering},
        {"a pan's release never seen: its button pressed again starts nothing new",
         {{"pM", "StartPan"},
          {"m", "pointer"},
          {"pM", "pointer passed"},
          {"pL", "EndPan StartPath handled"}},
         State::Drawing},
        {"leaving the pane while drawing goes on drawing",
         {{"m", "Hover handled"},
          {"pL", "pointer StartPath handled"},
          {"leave", "pointer"},
          {"mL", "AddPoint handled"},
          {"enter", "pointer"},
          {"rL", "EndPath handled"}},
         State::Idle},
        {"leaving the pane ends the hover readout; coming back does not restart it",
         {{"m", "Hover handled"},
          {"leave", "pointer"},
          {"enter", "pointer"},
          {"pL", "StartPath handled"}},
         State::Drawing},
        {"losing the focus changes nothing; the next move decides",
         {{"pL", "StartPath handled"},
          {"focus", ""},
          {"mL", "AddPoint handled"},
          {"focus", ""},
          {"m", "EndPath Hover handled"}},
         State::Hovering},
        {"a modal alert over a drawing: its release may still come, or be lost",
         {{"pL", "StartPath handled"},
          {"alert+", ""},
          {"rL", "EndPath handled"},
          {"alert-", ""},
          {"pL", "StartPath handled"},
          {"alert+", ""},
          {"alert-", ""},
          {"m", "EndPath Hover handled"}},
         State::Hovering},
        {"an alert shows above a pan, which goes on after it",
         {{"pR", "StartPan"}, {"alert+", ""}, {"rM", "passed"}},
         State::Dialog},
        {"buttons that start nothing here",
         {{"rL", "passed"},
          {"mL", "pointer"},
          {"pO", "passed"},
          {"mO", "pointer"},
          {"rO", "passed"}},
         State::Idle},
        {"the wheel: notches, small steps adding up, a turn back starting afresh",
         {{"w0", ""},
          {"w120", "zoom+1 handled"},
          {"w60", ""},
          {"w70", "zoom+1 handled"},
          {"w-20", ""},
          {"w-100", "zoom-1 handled"},
          {"w100", ""},
          {"w-119", ""},
          {"w-1", "zoom-1 handled"},
          {"w370", "zoom+3 handled"},
          {"w-10", ""},
          {"w-2147483647", "zoom-17895697 handled"},
          {"w-2147483647", "zoom-17895697 handled"}},
         State::Idle},
        {"the wheel zooms during a drawing and a pan, and ends neither",
         {{"pL", "StartPath handled"},
          {"w-240", "zoom-2 handled"},
          {"mL", "AddPoint handled"},
          {"rL", "EndPath handled"},
          {"pM", "StartPan"},
          {"w120", "zoom+1 handled"}},
         State::Panning},
    };
    return table;
}

TEST(GestureTest, EventsLeadToTheirSteps) {
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        Gesture gesture;
        CGPoint at{0.0, 0.0};
        for (const auto& [event, expected] : row.events) {
            EXPECT_EQ(describe(send(gesture, event, at)), expected) << event;
        }
        EXPECT_EQ(gesture.state(), row.end);
    }
}

// Carries out the steps on a plane as the pane does (its positions are the plane's here).
void carryOut(const GestureOutcome& o, CGPoint position, PlaneView& plane) {
    const MouseEvent at{position};
    for (std::size_t i = 0; i < o.count; ++i) {
        switch (o.steps[i]) {
            case GestureStep::StartPath:
                plane.mouseDown(at);
                break;
            case GestureStep::AddPoint:
                plane.mouseDragged(at);
                break;
            case GestureStep::EndPath:
                plane.mouseUp(at);
                break;
            case GestureStep::PanBy:
                plane.livePanBy(o.panBy.x, o.panBy.y);
                plane.mouseMoved(at);
                break;
            case GestureStep::EndPan:
                plane.endLivePan();
                break;
            case GestureStep::Hover:
                plane.mouseMoved(at);
                break;
            case GestureStep::StartPan:
                break;
        }
    }
}

// The path history asks the domain whether it is drawing a path: that must be the domain
// pane's gesture drawing, after every event of every sequence.
TEST(GestureTest, TheDomainDrawsExactlyWhileItsGestureDoes) {
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        test::AppHarness app;
        Gesture gesture;
        CGPoint at{100.0, 80.0};
        for (const auto& [event, expected] : row.events) {
            carryOut(send(gesture, event, at), at, *app.domain);
            EXPECT_EQ(app.domain->isDrawingPath(), gesture.drawing()) << event;
            EXPECT_EQ(app.controller.canChangePathHistory(), !gesture.drawing()) << event;
            at = {at.x + 7.0, at.y + 3.0};
        }
    }
}

}  // namespace
}  // namespace zw
