// A typed formula as the engine's function: installed all or nothing, with an inverse only when
// one is given, chosen as a catalogue title would be, and named for the user.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <string>
#include <vector>

#include "app/FormulaController.h"
#include "app/Parameters.h"
#include "engine/ComplexFunctions.h"
#include "engine/FormulaMaps.h"
#include "engine/FunctionName.h"
#include "engine/Transformations.h"
#include "formula/InverseCheck.h"
#include "support/AlertScript.h"
#include "support/AppHarness.h"
#include "support/LogCapture.h"
#include "support/PathPoints.h"
#include "support/Printers.h"

namespace zw {
namespace {

using test::AlertScript;
using test::AppHarness;
using test::FakeSender;
using test::FakeTextField;
using test::pointsOf;

const char* const kNoLongerShown =
    "As the new function has no suitable inverse, the inverse images of range gridlines will "
    "no longer be shown.";

TEST(FormulaEngine, InstallsAllOrNothingWithAnInverseOnlyWhenGiven) {
    test::LogCapture log;
    Transformations t;
    std::string error;
    t.setFunction("Invert");

    ASSERT_TRUE(t.setFormula("z^2 + 1", "", error));
    EXPECT_EQ(engine::func, formulaFunction);
    EXPECT_EQ(t.transform({1, 2}), (CGPoint{-2, 4}));
    EXPECT_FALSE(t.hasInverse());
    EXPECT_EQ(engine::funcinv, invert) << "an inverse not given leaves the last one, unused";
    EXPECT_EQ(t.activeFunction().kind, ActiveFunction::Kind::Formula);
    EXPECT_EQ(t.activeFunction().formula, "z^2 + 1");
    EXPECT_EQ(t.activeFunction().inverse, "");

    ASSERT_TRUE(t.setFormula("2z", "w/2", error));
    EXPECT_TRUE(t.hasInverse());
    EXPECT_EQ(t.transformInv({3, -1}), (CGPoint{1.5, -0.5}));
    EXPECT_EQ(t.activeFunction().inverse, "w/2");

    // A blank inverse is no inverse.
    ASSERT_TRUE(t.setFormula("3z", "   ", error));
    EXPECT_FALSE(t.hasInverse());
    EXPECT_EQ(t.activeFunction().inverse, "");

    // Either text failing changes nothing at all.
    ASSERT_TRUE(t.setFormula("2z", "w/2", error));
    EXPECT_FALSE(t.setFormula("sin(z)", "w +", error));
    EXPECT_EQ(error, "inverse: missing operand at column 4");
    EXPECT_FALSE(t.setFormula("sni(z)", "w", error));
    EXPECT_EQ(error, "f(z): unknown function \"sni\" (for a product write sni*(...))");
    EXPECT_EQ(t.transform({1, 1}), (CGPoint{2, 2}));
    EXPECT_EQ(t.transformInv({1, 1}), (CGPoint{0.5, 0.5}));
    EXPECT_TRUE(t.hasInverse());
    EXPECT_EQ(t.activeFunction().formula, "2z");

    // A catalogue choice afterwards is the catalogue's, inverse and all.
    t.setFunction("Square");
    EXPECT_FALSE(t.hasInverse());
    t.setFunction("Negate");
    EXPECT_EQ(t.transformInv({1, 1}), (CGPoint{-1, -1}));
    EXPECT_TRUE(log.lines.empty());
}

TEST(FormulaEngine, TypedInversesRoundTrip) {
    struct Map {
        const char* f;
        const char* inverse;
    };
    const Map maps[] = {
        {"(z-i)/(z+i)", "i(1+w)/(1-w)"}, {"exp(z)", "log(w)"},
        {"z^3 + 1", "(w-1)^(1/3)"},      {"sinh(z)", "asinh(w)"},
        {"2z + 1 - i", "(w - 1 + i)/2"},
    };
    Transformations t;
    std::mt19937 random(9);
    std::uniform_real_distribution<double> coordinate(-3.0, 3.0);
    for (const Map& map : maps) {
        std::string error;
        ASSERT_TRUE(t.setFormula(map.f, map.inverse, error)) << error;
        for (int k = 0; k < 200; ++k) {
            const CGPoint w{coordinate(random), coordinate(random)};
            const CGPoint back = t.transform(t.transformInv(w));
            EXPECT_NEAR(back.x, w.x, 1e-9 * (1 + std::hypot(w.x, w.y))) << map.f;
            EXPECT_NEAR(back.y, w.y, 1e-9 * (1 + std::hypot(w.x, w.y))) << map.f;
        }
    }
}

// An inverse is one when f(inverse(w)) = w where f goes; a principal branch of a function that
// is not one-to-one is one, a formula that misses everywhere (or mostly) is not.
TEST(FormulaEngine, AnInverseMustUndoF) {
    struct Pair {
        const char* f;
        const char* inverse;
    };
    const Pair inverses[] = {
        {"(z-i)/(z+i)", "i(1+w)/(1-w)"},
        {"exp(z)", "log(w)"},
        {"z^3 + 1", "(w-1)^(1/3)"},
        {"sinh(z)", "asinh(w)"},
        {"2z + 1 - i", "(w - 1 + i)/2"},
        {"z^2", "sqrt(w)"},
        {"sqrt(z)", "w^2"},
        {"sin(z)", "asin(w)"},
        {"cos(z)", "acos(w)"},
        {"atan(z)", "tan(w)"},
        {"tan(z)", "atan(w)"},
        {"1/z", "1/w"},
        {"z^2", "-sqrt(w)"},
        {"z", "w"},
        {"z + 1", "  "},
        {"1e-12 z", "1e12 w"},
        {"exp(z)", "log(w) + 2pi i"},
    };
    for (const Pair& pair : inverses) {
        EXPECT_EQ(inverseFault(pair.f, pair.inverse), "") << pair.f << " with " << pair.inverse;
    }
    const Pair misses[] = {
        {"z+1", "w+2"},        {"z^2", "w/2"},      {"exp(z)", "w"},
        {"sin(z)", "acos(w)"}, {"z", "w(1+1e-5)"},  {"z^3", "sqrt(w)"},
        {"log(z)", "exp(-w)"}, {"2z", "conj(w)/2"}, {"1e-12 z", "1e-12 w"},
    };
    for (const Pair& pair : misses) {
        EXPECT_NE(inverseFault(pair.f, pair.inverse), "") << pair.f << " with " << pair.inverse;
    }
    // The point said is the first miss, with f(inverse(w)) there, in the same words whatever
    // the locale.
    EXPECT_EQ(inverseFault("z+1", "w+2"),
              "not an inverse of f: f(inverse(w)) = 1.29 - 2.71i at w = -1.71 - 2.71i");
    // Texts that do not read are the parser's to explain.
    EXPECT_EQ(inverseFault("z+", "w+2"), "");
    EXPECT_EQ(inverseFault("z+1", "w+"), "");
}

TEST(FormulaEngine, NamesTheFunctionInUse) {
    Transformations t;
    t.setFunction("Hyperbolic Plane To Disk");
    EXPECT_EQ(functionDisplayName(t.activeFunction()), "Hyperbolic Plane To Disk");
    t.setParameters("usersMobiusMap", 1, 2, 0, -1, 0, 0, 0.5f, 0);
    EXPECT_EQ(functionDisplayName(t.activeFunction()), "w = ((1+2i)z - i) / (0.5)");
    t.setParameters("usersPolynomial", 0, 0, 2, 0, 0, 1, -3, 0);
    EXPECT_EQ(functionDisplayName(t.activeFunction()), "w = 2z² + iz - 3");
    t.setParameters("usersAffineMap", 1, 1, 2, 0, 0, 0.25f, 0, 1);
    EXPECT_EQ(functionDisplayName(t.activeFunction()), "Re w = 1 + x + 0.25y, Im w = 2 + y");
    std::string error;
    t.setFormula("sin(z)^2 + 1/(z-1)", "", error);
    EXPECT_EQ(functionDisplayName(t.activeFunction()), "f(z) = sin(z)^2 + 1/(z-1)");
}

class FormulaControllerTest : public ::testing::Test {
  protected:
    void select(const std::string& title) {
        FakeSender item(title);
        app.controller.setFunction(&item);
    }
    void inverseImagesOn() {
        app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
        ASSERT_TRUE(app.controller.showingInverseImagesInDomain);
    }
    std::vector<std::vector<CGPoint>> pullBacks() const {
        std::vector<std::vector<CGPoint>> result;
        for (const auto& line : app.domain->inverseGridlines) {
            result.push_back(pointsOf(*line));
        }
        return result;
    }
    std::vector<std::vector<CGPoint>> gridImages() const {
        std::vector<std::vector<CGPoint>> result;
        for (const auto& line : app.range->transformedGridlines) {
            result.push_back(pointsOf(*line));
        }
        return result;
    }
    std::vector<Color> shading() const {
        std::vector<Color> result;
        for (const ColoredRect& box : app.domain->contours) {
            result.push_back(box.color);
        }
        return result;
    }

    AppHarness app;
};

TEST_F(FormulaControllerTest, AFormulaWithItsInverseActsAsTheSameCatalogueChoice) {
    app.domain->showContours = true;
    select("Negate");
    inverseImagesOn();
    const auto negatePullBacks = pullBacks();
    const auto negateImages = gridImages();
    const auto negateShading = shading();
    ASSERT_FALSE(negatePullBacks.empty());
    ASSERT_FALSE(negateShading.empty());

    select("Invert");
    ASSERT_NE(gridImages(), negateImages);
    AlertScript alerts;
    std::string error;
    app.domain->needsCompleteRedraw = false;
    ASSERT_TRUE(app.controller.setFormula("-z", "-w", error));
    EXPECT_EQ(alerts.count(), 0u);
    EXPECT_TRUE(app.controller.showInverseImagesOfRangeGridlines());
    EXPECT_EQ(pullBacks(), negatePullBacks);
    EXPECT_EQ(gridImages(), negateImages);
    EXPECT_EQ(shading(), negateShading);
    EXPECT_TRUE(app.domain->needsCompleteRedraw);
}

TEST_F(FormulaControllerTest, AFormulaWithoutInverseSwitchesThePullBacksOffWithTheNotice) {
    select("Invert");
    inverseImagesOn();
    AlertScript alerts;
    std::string error;
    ASSERT_TRUE(app.controller.setFormula("sin(z)^2 + 1/(z-1)", "", error));
    ASSERT_EQ(alerts.count(), 1u);
    EXPECT_EQ(alerts.requests[0].title, kNoLongerShown);
    EXPECT_FALSE(app.controller.showInverseImagesOfRangeGridlines());
    EXPECT_EQ(app.inverseImagesItem.state(), 0);
    EXPECT_TRUE(app.domain->inverseGridlines.empty());

    // And they cannot be switched on for it.
    app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
    EXPECT_EQ(alerts.count(), 2u);
    EXPECT_FALSE(app.controller.showInverseImagesOfRangeGridlines());
}

TEST_F(FormulaControllerTest, ABrokenFormulaChangesNothing) {
    select("Invert");
    inverseImagesOn();
    const auto images = gridImages();
    const auto backs = pullBacks();
    AlertScript alerts;
    std::string error;
    EXPECT_FALSE(app.controller.setFormula("z^2 +", "", error));
    EXPECT_EQ(error, "f(z): missing operand at column 6");
    EXPECT_EQ(alerts.count(), 0u);
    EXPECT_EQ(engine::func, invert);
    EXPECT_EQ(gridImages(), images);
    EXPECT_EQ(pullBacks(), backs);
    EXPECT_TRUE(app.controller.showInverseImagesOfRangeGridlines());
}

TEST_F(FormulaControllerTest, TheDialogInstallsWhatReadsAndKeepsTheTexts) {
    FormulaController dialog;
    FakeTextField formula("(z-i)/(z+i)");
    FakeTextField inverse("i(1+w)/(1-w)");
    test::FakeHost window;
    FakeSender ok("OK", 0, &window);
    dialog.controller = &app.controller;
    dialog.formula = &formula;
    dialog.inverse = &inverse;

    EXPECT_TRUE(dialog.closeWindow(&ok));
    EXPECT_EQ(window.closeCalls, 1u);
    EXPECT_EQ(dialog.formulaText, "(z-i)/(z+i)");
    EXPECT_EQ(dialog.inverseText, "i(1+w)/(1-w)");
    EXPECT_TRUE(app.transformations.hasInverse());
    const CGPoint w = app.controller.transform({0, 0});
    EXPECT_EQ(w, (CGPoint{-1, 0}));

    // Text that does not read keeps the dialog open and says why.
    formula.setStringValue("(z-i)/(z+i");
    EXPECT_FALSE(dialog.closeWindow(&ok));
    EXPECT_EQ(window.closeCalls, 1u);
    EXPECT_EQ(dialog.lastError, "f(z): missing \")\"");
    EXPECT_EQ(dialog.formulaText, "(z-i)/(z+i)");

    // An inverse that does not undo f keeps the dialog open and f as it was.
    formula.setStringValue("z+1");
    inverse.setStringValue("w+2");
    EXPECT_FALSE(dialog.closeWindow(&ok));
    EXPECT_EQ(window.closeCalls, 1u);
    EXPECT_EQ(dialog.lastError,
              "inverse: not an inverse of f: f(inverse(w)) = 1.29 - 2.71i at w = -1.71 - 2.71i");
    EXPECT_EQ(app.controller.transform({0, 0}), (CGPoint{-1, 0}));
    EXPECT_EQ(app.transformations.activeFunction().inverse, "i(1+w)/(1-w)");

    FormulaError fault;
    EXPECT_FALSE(FormulaController::checkUndoes("z+1", "w+2", fault));
    EXPECT_EQ(fault.column, 1);
    EXPECT_EQ(fault.length, 3);
    EXPECT_TRUE(FormulaController::checkUndoes("z^2", "sqrt(w)", fault));
    EXPECT_FALSE(FormulaController::checkFormula("  ", fault));
    EXPECT_EQ(fault.message, "the formula is empty");
    EXPECT_TRUE(FormulaController::checkInverse("  ", fault));
    EXPECT_FALSE(FormulaController::checkInverse("z", fault));
}

// The inverse is checked at the values the parameters have now, not at their defaults.
TEST_F(FormulaControllerTest, TheInverseIsCheckedAtTheParametersValues) {
    app.workbench.parameters.reset();
    std::string error;
    ASSERT_TRUE(app.controller.setFormula("z + a", "w - a", error)) << error;
    FormulaController dialog;
    FakeTextField formula("z + a");
    FakeTextField inverse("w - 1");
    test::FakeHost window;
    FakeSender ok("OK", 0, &window);
    dialog.controller = &app.controller;
    dialog.formula = &formula;
    dialog.inverse = &inverse;
    EXPECT_FALSE(dialog.closeWindow(&ok)) << "at the default a = 0.5, w - 1 undoes nothing";
    ASSERT_TRUE(app.workbench.parameters.setParameterValue("a", 1.0));
    EXPECT_TRUE(dialog.closeWindow(&ok)) << dialog.lastError;
    EXPECT_EQ(app.controller.transformInv({3, 0}), (CGPoint{2, 0}));
    FormulaError fault;
    EXPECT_TRUE(FormulaController::checkUndoes("z + a", "w - 1", fault, {{"a", 1.0}}));
    EXPECT_FALSE(FormulaController::checkUndoes("z + a", "w - 1", fault, {{"a", 2.0}}));
    EXPECT_EQ(FormulaController::parametersOf("k z + a", "(w - a)/k + b"),
              (std::vector<std::string>{"k", "a", "b"}));
}

}  // namespace
}  // namespace zw
