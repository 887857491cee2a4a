// Parameters of f moving the whole picture: a value compiled in is the same picture as the number
// written in, one change rebuilds everything once, a slide is one undo step that brings the
// images back, frames coalesce, Play wraps and turns, and the morph runs from the identity to f.
#include <gtest/gtest.h>

#include <complex>
#include <functional>
#include <string>
#include <vector>

#include "app/Parameters.h"
#include "engine/ComplexFunctions.h"
#include "support/AlertScript.h"
#include "support/AppHarness.h"
#include "support/PathPoints.h"
#include "support/Printers.h"

namespace zw {
namespace {

using test::AppHarness;
using test::FakeSender;
using test::pointsOf;
using C = std::complex<double>;
using Lines = std::vector<std::vector<CGPoint>>;

Lines linesOf(const PathList& list) {
    Lines result;
    for (const auto& p : list) {
        result.push_back(pointsOf(*p));
    }
    return result;
}

// What a picture is made of, to compare two of them.
struct Picture {
    Lines gridImages;
    Lines pullBacks;
    Lines pathImages;
    std::vector<Color> shading;

    bool operator==(const Picture&) const = default;
};

class ParametersTest : public ::testing::Test {
  protected:
    ParametersTest() {
        // The values live with the engine, process-wide.
        parameters.reset();
        app.domain->showContours = true;
        app.drawPath({{150, 100}, {180, 120}, {230, 160}});
        app.drawPath({{250, 200}, {260, 180}});
        app.undo().removeAllActions();
    }
    void formula(const std::string& f, const std::string& inverse = "") {
        std::string error;
        ASSERT_TRUE(app.controller.setFormula(f, inverse, error)) << error;
    }
    void select(const std::string& title) {
        FakeSender item(title);
        app.controller.setFunction(&item);
    }
    Picture picture() const {
        Picture p{linesOf(app.range->transformedGridlines),
                  linesOf(app.domain->inverseGridlines),
                  linesOf(app.range->paths),
                  {}};
        for (const ColoredRect& box : app.domain->contours) {
            p.shading.push_back(box.color);
        }
        return p;
    }
    // The picture of f as if chosen afresh, path images redrawn.
    Picture freshPicture(const std::string& f, const std::string& inverse = "") {
        formula(f, inverse);
        app.controller.redrawImagesUnderCurrentFunction(nullptr);
        return picture();
    }

    AppHarness app;
    Parameters& parameters = app.workbench.parameters;
};

TEST_F(ParametersTest, AreReadFromBothFieldsWithTheirDefaults) {
    formula("(z - a)/(1 - conj(a) z) + k", "(w - k + a)/(1 + conj(a)(w - k)) + r1 - r1");
    std::vector<std::string> names;
    for (const ParameterInfo& p : parameters.parameters()) {
        names.push_back(p.name);
        EXPECT_EQ(p.value, C(0.5, 0)) << p.name;
        EXPECT_EQ(p.min, -2.0);
        EXPECT_EQ(p.max, 2.0);
        EXPECT_FALSE(p.complex);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"a", "k", "r1"}));
    select("Square");
    EXPECT_TRUE(parameters.parameters().empty());
    EXPECT_FALSE(parameters.setParameterValue("a", 1.0));
}

TEST_F(ParametersTest, AValueChangeRebuildsEverythingOnceAsTheNumberWrittenIn) {
    const Picture at1 = freshPicture("z^2 + 1", "sqrt(w - 1)");
    app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
    const Picture withPullBacks = picture();
    ASSERT_FALSE(withPullBacks.pullBacks.empty());
    const Picture at0 = freshPicture("z^2", "sqrt(w)");

    formula("z^2 + a", "sqrt(w - a)");
    ASSERT_TRUE(parameters.setParameterValue("a", 0.0));
    EXPECT_EQ(picture(), at0);
    const long before = parameters.rebuilds();
    ASSERT_TRUE(parameters.setParameterValue("a", 1.0));
    EXPECT_EQ(parameters.rebuilds(), before + 1);
    EXPECT_EQ(picture(), withPullBacks);
    EXPECT_NE(at1, at0);

    // A real parameter ignores an imaginary part; an unknown name changes nothing.
    ASSERT_TRUE(parameters.setParameterValue("a", C(1.0, 3.0)));
    EXPECT_EQ(parameters.parameter("a")->value, C(1.0, 0.0));
    EXPECT_FALSE(parameters.setParameterValue("b", 2.0));
    EXPECT_EQ(parameters.rebuilds(), before + 2);
}

TEST_F(ParametersTest, AComplexParameterTakesBothPartsAndLosesTheImaginaryWhenMadeReal) {
    formula("z + a");
    ASSERT_TRUE(parameters.setComplex("a", true));
    ASSERT_TRUE(parameters.setParameterValue("a", C(0.25, -1.5)));
    EXPECT_EQ(app.transformations.transform({1, 1}), (CGPoint{1.25, -0.5}));
    ASSERT_TRUE(parameters.setComplex("a", false));
    EXPECT_EQ(app.transformations.transform({1, 1}), (CGPoint{1.25, 1}));
    EXPECT_FALSE(parameters.parameter("a")->complex);
}

TEST_F(ParametersTest, ASlideIsOneUndoStepThatBringsValueAndImagesBack) {
    const Picture end = freshPicture("1.4 z");
    // The images stay those of 1.4z: undo brings back the images as they were, not as they
    // would be at the old value.
    formula("a z");
    app.undo().removeAllActions();
    const Picture start = picture();
    ASSERT_NE(start, end);
    for (double a : {0.7, 0.9, 1.4}) {
        ASSERT_TRUE(parameters.slideParameterValue("a", a));
    }
    EXPECT_EQ(picture(), end);
    EXPECT_FALSE(app.undo().canUndo()) << "nothing recorded until the slide ends";
    parameters.endSlide();
    ASSERT_TRUE(app.undo().canUndo());
    EXPECT_EQ(app.undo().undoActionName(), "Change a");

    app.controller.undo(nullptr);
    EXPECT_EQ(parameters.parameter("a")->value, C(0.5, 0));
    EXPECT_EQ(picture(), start);
    EXPECT_FALSE(app.undo().canUndo());
    app.controller.redo(nullptr);
    EXPECT_EQ(parameters.parameter("a")->value, C(1.4, 0));
    EXPECT_EQ(picture(), end);

    // A typed value is a step of its own; giving the same value again is none.
    ASSERT_TRUE(parameters.setParameterValue("a", -1.0));
    ASSERT_TRUE(parameters.setParameterValue("a", -1.0));
    app.controller.undo(nullptr);
    EXPECT_EQ(parameters.parameter("a")->value, C(1.4, 0));
    // Frames of an animation leave no step at all.
    ASSERT_TRUE(parameters.showParameterValue("a", 2.0));
    EXPECT_EQ(app.undo().undoActionName(), "Change a");
    app.controller.undo(nullptr);
    EXPECT_EQ(parameters.parameter("a")->value, C(0.5, 0));
}

TEST_F(ParametersTest, FramesCoalesceToTheNewestValue) {
    formula("z + a");
    std::vector<std::function<void()>> queue;
    ParameterFrames frames(parameters, [&](std::function<void()> f) { queue.push_back(f); });
    std::vector<double> drawn;
    parameters.onRebuilt = [&] {
        drawn.push_back(parameters.parameter("a")->value.real());
        // A slow first frame: three newer values come while it draws.
        if (drawn.size() == 1) {
            for (double a : {0.2, 0.3, 0.4}) {
                frames.request("a", a);
            }
        }
    };
    frames.request("a", 0.1);
    ASSERT_EQ(queue.size(), 1u);
    for (std::size_t i = 0; i < queue.size(); ++i) {
        queue[i]();
    }
    EXPECT_EQ(queue.size(), 2u) << "one more frame, not three";
    EXPECT_EQ(drawn, (std::vector<double>{0.1, 0.4}));
    EXPECT_FALSE(frames.pending());
    parameters.endSlide();
    EXPECT_EQ(app.undo().undoActionName(), "Change a");
}

TEST(ParametersPlay, LoopsAndBounces) {
    struct Case {
        PlaySettings::Mode mode;
        double from;
        double seconds;
        bool forward;
        double to;
        bool forwardAfter;
    };
    // Range [-1, 1] at half a range per second: one unit per second.
    const Case cases[] = {
        {PlaySettings::Mode::Loop, 0.0, 0.5, true, 0.5, true},
        {PlaySettings::Mode::Loop, 0.5, 1.0, true, -0.5, true},
        {PlaySettings::Mode::Loop, 5.0, 0.5, true, -0.5, true},  // from outside: the end
        {PlaySettings::Mode::Bounce, 0.5, 1.0, true, 0.5, false},
        {PlaySettings::Mode::Bounce, 0.5, 1.0, false, -0.5, false},
        {PlaySettings::Mode::Bounce, -0.5, 1.0, false, -0.5, true},
        {PlaySettings::Mode::Bounce, 0.0, 4.0, true, 0.0, true},
    };
    for (const Case& c : cases) {
        ParameterInfo p{"a", 0.0, -1.0, 1.0, false, {c.mode, 0.5}};
        bool forward = c.forward;
        EXPECT_NEAR(Parameters::playStep(p, c.from, c.seconds, forward), c.to, 1e-12)
            << c.from << " + " << c.seconds;
        EXPECT_EQ(forward, c.forwardAfter) << c.from << " + " << c.seconds;
    }
}

TEST_F(ParametersTest, TheMorphRunsFromTheIdentityToF) {
    struct Case {
        const char* what;
        std::function<void()> choose;
    };
    const Case cases[] = {
        {"catalogue", [&] { select("Exponentiate"); }},
        {"formula", [&] { formula("exp(b z)"); }},
    };
    for (const Case& c : cases) {
        c.choose();
        const CGPoint z{0.3, -0.8};
        const CGPoint f = app.transformations.transform(z);
        parameters.setMorph(true);
        EXPECT_EQ(parameters.parameters().back().name, "t") << c.what;
        EXPECT_EQ(parameters.parameter("t")->min, 0.0);
        EXPECT_EQ(parameters.parameter("t")->max, 1.0);
        EXPECT_EQ(app.transformations.transform(z), f) << c.what << ": t starts at 1 each time";
        ASSERT_TRUE(parameters.setParameterValue("t", 0.0));
        EXPECT_EQ(app.transformations.transform(z), z) << c.what;
        ASSERT_TRUE(parameters.setParameterValue("t", 0.25));
        const CGPoint w = app.transformations.transform(z);
        EXPECT_NEAR(w.x, 0.75 * z.x + 0.25 * f.x, 1e-15) << c.what;
        EXPECT_NEAR(w.y, 0.75 * z.y + 0.25 * f.y, 1e-15) << c.what;
        parameters.setMorph(false);
        EXPECT_EQ(app.transformations.transform(z), f) << c.what;
    }
}

TEST_F(ParametersTest, TheMorphHidesThePullBacksUntilTReachesOne) {
    freshPicture("2z + 1", "(w - 1)/2");
    app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
    const Picture atF = picture();
    ASSERT_FALSE(atF.pullBacks.empty());
    test::AlertScript alerts;
    parameters.setMorph(true);
    ASSERT_TRUE(parameters.slideParameterValue("t", 0.5));
    EXPECT_FALSE(app.transformations.hasInverse());
    EXPECT_TRUE(app.domain->inverseGridlines.empty());
    EXPECT_TRUE(app.controller.showInverseImagesOfRangeGridlines()) << "hidden, not switched off";
    ASSERT_TRUE(parameters.slideParameterValue("t", 1.0));
    parameters.endSlide();
    EXPECT_EQ(picture(), atF);
    EXPECT_EQ(alerts.count(), 0u);
}

}  // namespace
}  // namespace zw
