// A desktop whose locale writes decimal commas: what zwmap reads from its dialogs and writes to
// its log, readouts and labels keeps the decimal point.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "app/AffineController.h"
#include "app/UiLanguage.h"
#include "engine/Transformations.h"
#include "engine/UserMaps.h"
#include "platform/CLocale.h"
#include "support/AppHarness.h"
#include "support/LogCapture.h"

namespace zw {
namespace {

using test::AppHarness;
using test::FakeSender;
using test::FakeTextField;
using test::LogCapture;

// Switches the whole process to a comma-decimal locale, as QApplication does from LANG.
class CommaLocaleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "the locale de_DE.UTF-8 is missing; scripts/setup generates it";
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 2.5);
        ASSERT_EQ(std::string(probe), "2,5") << "the locale writes no decimal comma";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(CommaLocaleTest, AtofInTheCLocaleKeepsItsRules) {
    EXPECT_EQ(CLocale::atof("2.5"), 2.5);
    EXPECT_EQ(CLocale::atof("  -1.25e1 metres"), -12.5);
    EXPECT_EQ(CLocale::atof("2,5"), 2.0);
    EXPECT_EQ(CLocale::atof("abc"), 0.0);
    EXPECT_EQ(CLocale::atof(""), 0.0);
    EXPECT_EQ(CLocale::atof("+0x1p-2"), 0.25);
    // The process's locale is untouched by reading.
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    EXPECT_EQ(std::string(probe), "0,5");
}

TEST_F(CommaLocaleTest, TheAffineDialogLogAndReadoutsKeepTheDecimalPoint) {
    AppHarness app;
    AffineController affine;
    FakeTextField aR, aI{"1.5"}, bR, bI, cR, cI, dR, dI{"2.5"};
    affine.controller = &app.controller;
    affine.aR = &aR, affine.aI = &aI, affine.bR = &bR, affine.bI = &bI;
    affine.cR = &cR, affine.cI = &cI, affine.dR = &dR, affine.dI = &dI;
    FakeSender ok{"OK"};
    LogCapture log;
    affine.closeWindow(&ok);

    EXPECT_EQ(affine.aIm, 1.5f);
    EXPECT_EQ(affine.dIm, 2.5f);
    EXPECT_EQ(engine::a, 1.5f);
    EXPECT_EQ(engine::d, 2.5f);
    EXPECT_TRUE(
        log.contains("Transformations.setParameters here, setting affine parameters, a = 1.500000, "
                     "b = 0.000000, c=0.000000, d=2.500000"));
    EXPECT_EQ(app.controller.transform({0.5, 1}), (CGPoint{0.75, 2.5}));

    // The pointer at (0.5, 1) in the domain: both readouts and the labels.
    app.move(app.domain->trueCoordinatesToViewCoordinates({0.5, 1}));
    const test::RecordingCanvas domain = app.drawDomain();
    const test::RecordingCanvas range = app.drawRange();
    ASSERT_FALSE(domain.texts().empty());
    EXPECT_EQ(domain.texts().back()->text, "0.500, 1.000");
    EXPECT_EQ(range.texts().back()->text, "0.750, 2.500");
    // Every label: a number with two decimals after a point.
    ASSERT_GT(domain.texts().size(), 1u);
    for (std::size_t i = 0; i + 1 < domain.texts().size(); ++i) {
        const std::string& label = domain.texts()[i]->text;
        EXPECT_EQ(label.find(','), std::string::npos) << label;
        EXPECT_EQ(label.find('.'), label.size() - 3) << label;
    }
}

// The language of the window: the first of the person's languages that zwmap speaks, unless
// English (the texts' own language) comes first.
TEST(UiLanguageTest, TheFirstPreferredLanguageZwmapSpeaksUnlessEnglishComesFirst) {
    const std::vector<std::string> available = {"de"};
    const struct {
        std::vector<std::string> preferred;
        const char* chosen;
    } cases[] = {
        {{"de-DE"}, "de"},        {{"de_AT.UTF-8@euro"}, "de"},
        {{"DE"}, "de"},           {{"fr-FR", "de-CH"}, "de"},
        {{"en-US", "de-DE"}, ""}, {{"en"}, ""},
        {{"C", "de"}, ""},        {{"POSIX"}, ""},
        {{"fr-FR", "it"}, ""},    {{}, ""},
        {{"", "de"}, "de"},
    };
    for (const auto& c : cases) {
        std::string list;
        for (const std::string& tag : c.preferred) {
            list += tag + " ";
        }
        EXPECT_EQ(chooseLanguage(c.preferred, available), c.chosen) << list;
    }
    EXPECT_EQ(chooseLanguage({"de-DE"}, {}), "") << "nothing to choose from";
}

}  // namespace
}  // namespace zw
