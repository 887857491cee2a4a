// The three coefficient dialogs: how their fields are read and passed on, and what the
// controller does with a new map.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "app/AffineController.h"
#include "app/MobiusController.h"
#include "app/PolynomialController.h"
#include "engine/Transformations.h"
#include "engine/UserMaps.h"
#include "support/AlertScript.h"
#include "support/AppHarness.h"
#include "support/LogCapture.h"
#include "support/Printers.h"

namespace zw {
namespace {

using test::AlertScript;
using test::AppHarness;
using test::FakeHost;
using test::FakeSender;
using test::FakeTextField;
using test::LogCapture;

// A dialog: eight fields in a window with an OK button.
struct Dialog {
    explicit Dialog(ParameterController& c, Controller& controller) : controllerOf(c) {
        c.controller = &controller;
        c.aR = &aR, c.aI = &aI, c.bR = &bR, c.bI = &bI;
        c.cR = &cR, c.cI = &cI, c.dR = &dR, c.dI = &dI;
        ok.setWindow(&window);
    }
    void confirm() { controllerOf.closeWindow(&ok); }

    ParameterController& controllerOf;
    FakeTextField aR, aI, bR, bI, cR, cI, dR, dI;
    FakeHost window;
    FakeSender ok{"OK"};
};

std::vector<float> fieldsRead(const ParameterController& c) {
    return {c.aRm, c.aIm, c.bRm, c.bIm, c.cRm, c.cIm, c.dRm, c.dIm};
}

std::vector<float> mobiusSet() {
    using namespace engine;
    return {aRm, aIm, bRm, bIm, cRm, cIm, dRm, dIm};
}

std::vector<float> polynomialSet() {
    using namespace engine;
    return {aRp, aIp, bRp, bIp, cRp, cIp, dRp, dIp};
}

class DialogControllersTest : public ::testing::Test {
  protected:
    AppHarness app;
    MobiusController mobius;
    PolynomialController polynomial;
    AffineController affine;
};

TEST_F(DialogControllersTest, MobiusDialogPassesEachFieldAsItsCoefficientAndCloses) {
    Dialog dialog(mobius, app.controller);
    dialog.aR.setStringValue("1");
    dialog.aI.setStringValue("2");
    dialog.bR.setStringValue("3");
    dialog.bI.setStringValue("4");
    dialog.cR.setStringValue("5");
    dialog.cI.setStringValue("6");
    dialog.dR.setStringValue("7");
    dialog.dI.setStringValue("8");
    dialog.confirm();
    const std::vector<float> expected = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(fieldsRead(mobius), expected);
    EXPECT_EQ(mobiusSet(), expected);
    EXPECT_EQ(engine::func, usersMobiusMap);
    EXPECT_EQ(dialog.window.closeCalls, 1u);
    EXPECT_EQ(polynomialSet(), std::vector<float>(8, 0.0f));
}

TEST_F(DialogControllersTest, AnEmptyMobiusDialogGivesAMapThatCannotDivide) {
    Dialog dialog(mobius, app.controller);
    LogCapture log;
    dialog.confirm();
    EXPECT_EQ(mobiusSet(), std::vector<float>(8, 0.0f));
    // Rebuilding the images of the grid already evaluated it everywhere.
    EXPECT_GT(log.count("usersMobiusMap: Division by zero!"), 100u);
    const std::size_t before = log.lines.size();
    app.controller.transform({1, 2});
    EXPECT_EQ(log.lines.size(), before + 1);
    EXPECT_EQ(log.lines.back(), "usersMobiusMap: Division by zero!");
}

TEST_F(DialogControllersTest, PolynomialDialogWithOnlyTheLinearTermIsTheRoundedIdentity) {
    Dialog dialog(polynomial, app.controller);
    dialog.cR.setStringValue("1");
    dialog.confirm();
    EXPECT_EQ(polynomialSet(), (std::vector<float>{0, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(engine::func, usersPolynomial);
    EXPECT_EQ(app.controller.transform({0.1, -0.3}),
              (CGPoint{static_cast<float>(0.1), static_cast<float>(-0.3)}));
    EXPECT_EQ(dialog.window.closeCalls, 1u);

    dialog.aR.setStringValue("1");
    dialog.bI.setStringValue("2");
    dialog.dR.setStringValue("-1");
    dialog.confirm();
    EXPECT_EQ(polynomialSet(), (std::vector<float>{1, 0, 0, 2, 1, 0, -1, 0}));
}

TEST_F(DialogControllersTest, AffineDialogReadsSixFieldsAndLogsTheTranslationText) {
    Dialog dialog(affine, app.controller);
    affine.cRm = 5;
    affine.dRm = 6;
    dialog.aR.setStringValue("1");
    dialog.bR.setStringValue("2");
    dialog.aI.setStringValue("1");
    dialog.dI.setStringValue("1");
    dialog.cR.setStringValue("99");
    dialog.dR.setStringValue("-77");
    LogCapture log;
    dialog.confirm();
    ASSERT_FALSE(log.lines.empty());
    EXPECT_EQ(log.lines[0], "AffineController.closeWindow here, aR = 1");
    EXPECT_TRUE(
        log.contains("Transformations.setParameters here, setting affine parameters, a = 1.000000, "
                     "b = 0.000000, c=0.000000, d=1.000000"));
    EXPECT_EQ(dialog.cR.reads, 0u);
    EXPECT_EQ(dialog.dR.reads, 0u);
    EXPECT_EQ(affine.cRm, 5.0f);
    EXPECT_EQ(affine.dRm, 6.0f);
    EXPECT_EQ(app.controller.transform({0.25, -0.5}), (CGPoint{1.25, 1.5}));
    EXPECT_EQ(app.controller.transformInv({1.25, 1.5}), (CGPoint{0.25, -0.5}));
    EXPECT_EQ(dialog.window.closeCalls, 1u);

    // The log line shows the text as typed, not the number read from it.
    dialog.aR.setStringValue("  3.5 metres");
    log.clear();
    dialog.confirm();
    EXPECT_EQ(log.lines[0], "AffineController.closeWindow here, aR =   3.5 metres");
    EXPECT_EQ(engine::u, 3.5f);
}

TEST_F(DialogControllersTest, FieldsAreReadTheWayAtofReadsThem) {
    Dialog dialog(mobius, app.controller);
    dialog.aR.setStringValue("2.5abc");
    dialog.aI.setStringValue("1e99");
    dialog.bR.setStringValue("");
    dialog.bI.setStringValue("  -3.25");
    dialog.cR.setStringValue("abc");
    dialog.cI.setStringValue("0.1");
    dialog.dR.setStringValue("1e-50");
    dialog.dI.setStringValue("-1e99");
    LogCapture log;
    dialog.confirm();
    EXPECT_EQ(mobius.aRm, 2.5f);
    EXPECT_EQ(mobius.aIm, std::numeric_limits<float>::infinity());
    EXPECT_EQ(mobius.bRm, 0.0f);
    EXPECT_EQ(mobius.bIm, -3.25f);
    EXPECT_EQ(mobius.cRm, 0.0f);
    EXPECT_EQ(mobius.cIm, 0.1f);
    EXPECT_EQ(mobius.dRm, 0.0f);
    EXPECT_EQ(mobius.dIm, -std::numeric_limits<float>::infinity());
}

TEST_F(DialogControllersTest, APolynomialWithInverseImagesOnSwitchesThemOffWithTheAlert) {
    FakeSender negate("Negate");
    app.controller.setFunction(&negate);
    app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);
    ASSERT_FALSE(app.domain->inverseGridlines.empty());
    FakeSender contours("Contours");
    app.domain->showContoursAction(&contours);

    Dialog dialog(polynomial, app.controller);
    dialog.cR.setStringValue("2");
    AlertScript alerts;
    Color shadingDuringAlert;
    alerts.onAlert = [&](const AlertRequest&) {
        shadingDuringAlert = app.domain->contours[0].color;
    };
    dialog.confirm();
    ASSERT_EQ(alerts.count(), 1u);
    EXPECT_EQ(alerts.requests[0].title,
              "As the new function has no suitable inverse, the inverse images of range "
              "gridlines will no longer be shown.");
    EXPECT_EQ(alerts.requests[0].defaultButton, "OK");
    EXPECT_FALSE(app.controller.showingInverseImagesInDomain);
    EXPECT_EQ(app.inverseImagesItem.state(), 0);
    EXPECT_TRUE(app.domain->inverseGridlines.empty());
    EXPECT_TRUE(app.domain->needsCompleteRedraw);
    // Here the shading is rebuilt before the alert.
    const CGPoint z = app.domain->viewCoordinatesToTrueCoordinates({202, 152});
    EXPECT_EQ(shadingDuringAlert,
              Color::colorWithDeviceWhite(1.0f - app.controller.greyness(z), 1));
    EXPECT_EQ(dialog.window.closeCalls, 1u);
}

TEST_F(DialogControllersTest, AMobiusMapWithInverseImagesOnRebuildsThemWithItsInverse) {
    FakeSender negate("Negate");
    app.controller.setFunction(&negate);
    app.controller.toggleShowInverseImagesOfRangeGridlines(&app.inverseImagesItem);

    Dialog dialog(mobius, app.controller);
    // w = 2z + 1, whose inverse is (w - 1) / 2.
    dialog.aR.setStringValue("2");
    dialog.bR.setStringValue("1");
    dialog.dR.setStringValue("1");
    AlertScript alerts;
    LogCapture log;
    dialog.confirm();
    EXPECT_EQ(alerts.count(), 0u);
    EXPECT_TRUE(log.contains("calling [controller constructInverseGridlines]"));
    EXPECT_TRUE(app.controller.showingInverseImagesInDomain);
    ASSERT_EQ(app.domain->inverseGridlines.size(), 14u);
    // The range's axis row starts at w = -2; it pulls back to z = -1.5.
    EXPECT_EQ(app.domain->inverseGridlines[0]->elementAtIndex(0).point,
              app.domain->trueCoordinatesToViewCoordinates({-1.5, 0}));
    EXPECT_EQ(app.range->transformedGridlines[0]->elementAtIndex(0).point,
              app.range->trueCoordinatesToViewCoordinates({-3, 0}));
}

// What a dialog checks before its controller reads the fields as atof would.
TEST(DialogFieldCheck, AFieldMustReadWholeAsANumberThatAFloatHolds) {
    const struct {
        const char* text;
        std::optional<float> value;
        const char* error;
    } cases[] = {
        {"2.5", 2.5f, ""},
        {" -0.25\t", -0.25f, ""},
        {"+3", 3.0f, ""},
        {"1e-3", 1e-3f, ""},
        {"3.4e38", 3.4e38f, ""},
        {"1e-50", 0.0f, ""},  // below single precision: it rounds to 0, as the map would
        {"2,5", std::nullopt, "Use '.' as the decimal point."},
        {"abc", std::nullopt, "Not a number."},
        {"2.5.1", std::nullopt, "Not a number."},
        {"++1", std::nullopt, "Not a number."},
        {"+-1", std::nullopt, "Not a number."},
        {"0x10", std::nullopt, "Not a number."},
        {"", std::nullopt, "Type a number."},
        {"   ", std::nullopt, "Type a number."},
        {"inf", std::nullopt, "Must be finite."},
        {"-nan", std::nullopt, "Must be finite."},
        {"1e39", std::nullopt, "Too large (over 3.4e38)."},
        {"1e400", std::nullopt, "Out of range."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error = "left over";
        EXPECT_EQ(ParameterController::checkField(c.text, error), c.value);
        EXPECT_EQ(error, c.error);
    }
}

TEST(DialogFieldCheck, OnlyTheMobiusDialogRefusesItsCoefficients) {
    MobiusController mobius;
    PolynomialController polynomial;
    AffineController affine;
    std::string error;
    // a = 1 + i, b = 2, c = 1, d = 2 + 2i: ad = 4i, bc = 2.
    EXPECT_TRUE(mobius.checkMap({1, 1, 2, 0, 1, 0, 2, 2}, error));
    EXPECT_EQ(error, "");
    // a = 1 + i, b = 2 + 2i, c = 1, d = 2: ad = bc = 2 + 2i.
    EXPECT_FALSE(mobius.checkMap({1, 1, 2, 2, 1, 0, 2, 0}, error));
    EXPECT_EQ(error, "ad \u2212 bc = 0: the map would send every point to one value.");
    EXPECT_FALSE(mobius.checkMap({}, error)) << "all zero";
    EXPECT_TRUE(polynomial.checkMap({}, error));
    EXPECT_TRUE(affine.checkMap({}, error));
}

}  // namespace
}  // namespace zw
