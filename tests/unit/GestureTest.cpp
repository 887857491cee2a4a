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

using B = MouseButton;
using State = Gesture::State;

struct Event {
    enum Kind { Press, Move, Release, Enter, Leave, Wheel, FocusLost, DialogOpened, DialogClosed };
    Kind kind;
    MouseButton button = B::None;
    MouseButtons held;
    CGPoint at{0.0, 0.0};
    int delta = 0;
};

Event press(B b, CGPoint at = {0, 0}) {
    return {Event::Press, b, {}, at, 0};
}
Event move(MouseButtons held, CGPoint at = {0, 0}) {
    return {Event::Move, B::None, held, at, 0};
}
Event release(B b, CGPoint at = {0, 0}) {
    return {Event::Release, b, {}, at, 0};
}
Event wheel(int delta) {
    return {Event::Wheel, B::None, {}, {0, 0}, delta};
}
Event only(Event::Kind kind) {
    return {kind, B::None, {}, {0, 0}, 0};
}
const Event kEnter = only(Event::Enter);
const Event kLeave = only(Event::Leave);
const Event kFocusLost = only(Event::FocusLost);
const Event kDialogOpened = only(Event::DialogOpened);
const Event kDialogClosed = only(Event::DialogClosed);

GestureOutcome send(Gesture& g, const Event& e) {
    switch (e.kind) {
        case Event::Press:
            return g.press(e.button, e.at);
        case Event::Move:
            return g.move(e.held, e.at);
        case Event::Release:
            return g.release(e.button, e.at);
        case Event::Enter:
            return g.enter();
        case Event::Leave:
            return g.leave();
        case Event::Wheel:
            return g.wheel(e.delta);
        case Event::FocusLost:
            return g.focusLost();
        case Event::DialogOpened:
            g.dialogOpened();
            return {};
        case Event::DialogClosed:
            g.dialogClosed();
            return {};
    }
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
    std::vector<std::pair<Event, const char*>> events;
    State end;
};

const MouseButtons kNone;

const std::vector<Row>& rows() {
    static const std::vector<Row> table = {
        {"hover, draw, release",
         {{move(kNone), "Hover handled"},
          {press(B::Left), "pointer StartPath handled"},
          {move(B::Left), "AddPoint handled"},
          {release(B::Left), "EndPath handled"},
          {press(B::Left), "StartPath handled"}},
         State::Drawing},
        {"a release lost to a popup ends the path at the next move",
         {{press(B::Left), "StartPath handled"},
          {move(B::Left), "AddPoint handled"},
          {move(kNone), "EndPath Hover handled"},
          {release(B::Left), "passed"}},
         State::Hovering},
        {"a lost release seen with another button held ends the path and starts nothing",
         {{press(B::Left), "StartPath handled"},
          {move(B::Right), "EndPath handled"},
          {move(B::Right), "pointer"},
          {release(B::Right), "passed"}},
         State::Idle},
        {"a second press before any move finishes the path in the plane",
         {{press(B::Left), "StartPath handled"}, {press(B::Left), "StartPath handled"}},
         State::Drawing},
        {"a pan button while drawing neither pans nor ends the path",
         {{press(B::Left), "StartPath handled"},
          {press(B::Right), "passed"},
          {press(B::Middle), "passed"},
          {move(B::Left | B::Right), "AddPoint handled"},
          {release(B::Right), "passed"},
          {move(B::Left), "AddPoint handled"},
          {release(B::Left), "EndPath handled"}},
         State::Idle},
        {"the middle button pans by the pointer's steps",
         {{move(kNone, {5, 5}), "Hover handled"},
          {press(B::Middle, {10, 10}), "pointer StartPan"},
          {move(B::Middle, {13, 8}), "PanBy(3,-2) handled"},
          {move(B::Middle, {13, 8}), "PanBy(0,0) handled"},
          {move(B::Middle, {3, 20}), "PanBy(-10,12) handled"},
          {release(B::Left), "passed"},
          {release(B::Middle, {3, 20}), "EndPan"}},
         State::Idle},
        {"one pan at a time; a left press ends it and draws",
         {{press(B::Right, {0, 0}), "StartPan"},
          {press(B::Middle), "passed"},
          {release(B::Middle), "passed"},
          {move(B::Right, {4, 4}), "PanBy(4,4) handled"},
          {press(B::Left), "EndPan StartPath handled"},
          {release(B::Right), "passed"},
          {move(B::Left), "AddPoint handled"}},
         State::Drawing},
        {"a pan whose release went astray waits for it",
         {{press(B::Right, {0, 0}), "StartPan"},
          {move(kNone, {7, 7}), "pointer"},
          {move(B::Right, {9, 10}), "PanBy(9,10) handled"},
          {move(kNone), "pointer"},
          {release(B::Right), "EndPan"}},
         State::Hovering},
        {"a pan's release never seen: its button pressed again starts nothing new",
         {{press(B::Middle), "StartPan"},
          {move(kNone), "pointer"},
          {press(B::Middle), "pointer passed"},
          {press(B::Left), "EndPan StartPath handled"}},
         State::Drawing},
        {"leaving the pane while drawing goes on drawing",
         {{move(kNone), "Hover handled"},
          {press(B::Left), "pointer StartPath handled"},
          {kLeave, "pointer"},
          {move(B::Left), "AddPoint handled"},
          {kEnter, "pointer"},
          {release(B::Left), "EndPath handled"}},
         State::Idle},
        {"leaving the pane ends the hover readout; coming back does not restart it",
         {{move(kNone), "Hover handled"},
          {kLeave, "pointer"},
          {kEnter, "pointer"},
          {press(B::Left), "StartPath handled"}},
         State::Drawing},
        {"losing the focus changes nothing; the next move decides",
         {{press(B::Left), "StartPath handled"},
          {kFocusLost, ""},
          {move(B::Left), "AddPoint handled"},
          {kFocusLost, ""},
          {move(kNone), "EndPath Hover handled"}},
         State::Hovering},
        {"a modal alert over a drawing: its release may still come, or be lost",
         {{press(B::Left), "StartPath handled"},
          {kDialogOpened, ""},
          {release(B::Left), "EndPath handled"},
          {kDialogClosed, ""},
          {press(B::Left), "StartPath handled"},
          {kDialogOpened, ""},
          {kDialogClosed, ""},
          {move(kNone), "EndPath Hover handled"}},
         State::Hovering},
        {"buttons that start nothing here",
         {{release(B::Left), "passed"},
          {move(B::Left), "pointer"},
          {press(B::Other), "passed"},
          {move(B::Other), "pointer"},
          {release(B::Other), "passed"}},
         State::Idle},
        {"the wheel: notches, small steps adding up, a turn back starting afresh",
         {{wheel(0), ""},
          {wheel(120), "zoom+1 handled"},
          {wheel(60), ""},
          {wheel(70), "zoom+1 handled"},
          {wheel(-20), ""},
          {wheel(-100), "zoom-1 handled"},
          {wheel(100), ""},
          {wheel(-119), ""},
          {wheel(-1), "zoom-1 handled"},
          {wheel(370), "zoom+3 handled"},
          {wheel(-10), ""}},
         State::Idle},
        {"the wheel zooms during a drawing and a pan, and ends neither",
         {{press(B::Left), "StartPath handled"},
          {wheel(-240), "zoom-2 handled"},
          {move(B::Left), "AddPoint handled"},
          {release(B::Left), "EndPath handled"},
          {press(B::Middle), "StartPan"},
          {wheel(120), "zoom+1 handled"}},
         State::Panning},
    };
    return table;
}

TEST(GestureTest, EventsLeadToTheirSteps) {
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        Gesture gesture;
        for (std::size_t i = 0; i < row.events.size(); ++i) {
            EXPECT_EQ(describe(send(gesture, row.events[i].first)), row.events[i].second)
                << "event " << i;
        }
        EXPECT_EQ(gesture.state(), row.end);
    }
}

TEST(GestureTest, StatesFollowTheEventsAndAnAlertShowsAboveAnyOther) {
    Gesture g;
    EXPECT_EQ(g.state(), State::Idle);
    g.move(kNone, {});
    EXPECT_EQ(g.state(), State::Hovering);
    EXPECT_TRUE(g.hovering());
    g.press(B::Right, {});
    EXPECT_EQ(g.state(), State::Panning);
    EXPECT_FALSE(g.hovering());
    g.dialogOpened();
    EXPECT_EQ(g.state(), State::Dialog);
    EXPECT_TRUE(g.panning());
    g.dialogClosed();
    EXPECT_EQ(g.state(), State::Panning);
    g.press(B::Left, {});
    EXPECT_EQ(g.state(), State::Drawing);
    EXPECT_FALSE(g.panning());
    g.leave();
    EXPECT_EQ(g.state(), State::Drawing);
}

// Carries out the steps on a plane as the pane does (its positions are the plane's here).
void carryOut(const GestureOutcome& o, const Event& e, PlaneView& plane) {
    const MouseEvent at{e.at};
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
        std::size_t i = 0;
        for (auto [event, expected] : row.events) {
            event.at = {100.0 + 7.0 * static_cast<double>(i), 80.0 + 3.0 * static_cast<double>(i)};
            carryOut(send(gesture, event), event, *app.domain);
            EXPECT_EQ(app.domain->isDrawingPath(), gesture.drawing()) << "event " << i;
            EXPECT_EQ(app.controller.canChangePathHistory(), !gesture.drawing()) << "event " << i;
            ++i;
        }
    }
}

}  // namespace
}  // namespace zw
