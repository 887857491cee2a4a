#include <QAction>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>

#include "WindowTest.h"
#include "app/Preferences.h"
#include "qt/CommandLine.h"
#include "qt/CursorLink.h"
#include "qt/SessionActions.h"
#include "qt/WindowPreferences.h"
#include "views/DomainView.h"

namespace zw::test {
namespace {

// The remembered options as the window shows them.
struct Options {
    bool followCurves;
    bool colourWheel;
    bool highestResolution;
    bool linkedCursor;
    bool operator==(const Options&) const = default;
};

class RememberedSettingsTest : public WindowTest {
  protected:
    void choose(const QString& menu, const QString& text) {
        QAction* item = action(menu, text);
        ASSERT_NE(item, nullptr) << menu.toStdString() << " > " << text.toStdString();
        item->trigger();
        settle();
    }

    // Quits as the user does (throwing the changes away), then starts again.
    void restart() {
        if (window->isWindowModified()) {
            alerts->expect(kAlertOtherReturn);
        }
        ASSERT_TRUE(window->close());
        alerts.reset();
        window.reset();
        window = std::make_unique<MainWindow>();
        alerts = std::make_unique<AlertWatchdog>();
        window->show();
        settle();
    }

    QSplitter* splitter() const { return qobject_cast<QSplitter*>(window->centralWidget()); }
    double domainShare() const {
        const QList<int> sizes = splitter()->sizes();
        return static_cast<double>(sizes[0]) / (sizes[0] + sizes[1]);
    }

    // The core's state, and the marks that follow it (Linked Cursor's mark is its state).
    void expectShown(const Options& want, const char* when) const {
        const Options now{window->controller()->followCurvesNearPoles,
                          window->domainView()->shadingColours == ShadingColours::ColourWheel,
                          window->domainView()->highestResolution,
                          window->cursorLink()->markersShown()};
        EXPECT_EQ(now, want) << when;
        EXPECT_EQ(action("View", "Follow Curves Near Poles")->isChecked(), want.followCurves)
            << when;
        EXPECT_EQ(action("Domain", "Colour Wheel")->isChecked(), want.colourWheel) << when;
    }
};

constexpr Options kDefaults{false, false, false, true};
constexpr Options kChosen{true, true, true, false};

TEST_F(RememberedSettingsTest, ChosenOptionsSizeAndSplitComeBackAtTheNextStart) {
    expectShown(kDefaults, "a fresh user");
    EXPECT_EQ(window->size(), QSize(1000, 540));
    EXPECT_NEAR(domainShare(), 0.5, 0.01);

    choose("View", "Follow Curves Near Poles");
    choose("Domain", "Colour Wheel");
    choose("Domain", "Highest Resolution");
    choose("View", "Linked Cursor");
    window->resize(820, 610);
    settle();
    const int width = splitter()->sizes()[0] + splitter()->sizes()[1];
    splitter()->setSizes({width / 4, width - width / 4});
    settle();
    restart();

    expectShown(kChosen, "the next start");
    EXPECT_EQ(window->size(), QSize(820, 610));
    EXPECT_NEAR(domainShare(), 0.25, 0.01);
    EXPECT_FALSE(window->isWindowModified()) << "the remembered options are how it starts";
    // New starts again as a window would start now: with the options as last chosen.
    choose("View", "Follow Curves Near Poles");
    choose("Domain", "Show Grid");
    alerts->expect(kAlertOtherReturn);
    choose("File", "New");
    expectShown({false, true, true, false}, "after New");
    EXPECT_TRUE(action("Domain", "Show Grid")->isChecked()) << "not remembered";
    EXPECT_FALSE(window->isWindowModified());
}

// A session's options are the file's, not the user's preferences.
TEST_F(RememberedSettingsTest, OpeningASessionChangesNothingRemembered) {
    const QTemporaryDir dir;
    choose("Domain", "Colour Wheel");
    choose("View", "Follow Curves Near Poles");
    ASSERT_TRUE(window->sessionActions()->saveFile(dir.filePath(QStringLiteral("wheel.zwmap"))));
    choose("Domain", "Classic");
    choose("View", "Follow Curves Near Poles");
    ASSERT_TRUE(window->sessionActions()->openFile(dir.filePath(QStringLiteral("wheel.zwmap"))));
    settle();
    expectShown({true, true, false, true}, "the opened file");
    restart();
    expectShown(kDefaults, "the next start");
}

TEST_F(RememberedSettingsTest, ResetSettingsAsksOnlyWhenThePlanesChange) {
    // Everything at its default: nothing to ask (the watchdog fails on any question).
    window->resize(900, 500);
    settle();
    choose("View", "Reset Settings");
    EXPECT_TRUE(alerts->alerts().empty());
    EXPECT_EQ(window->size(), QSize(1000, 540));

    choose("View", "Follow Curves Near Poles");
    choose("Domain", "Colour Wheel");
    ASSERT_TRUE(QSettings().contains(QString::fromLatin1(preference::kFollowCurves)));
    alerts->expect(kAlertAlternateReturn);  // Cancel
    choose("View", "Reset Settings");
    ASSERT_EQ(alerts->alerts().size(), 1u);
    EXPECT_EQ(alerts->alerts().back().title, "Reset all settings?");
    expectShown({true, true, false, true}, "cancelled");

    alerts->expect(kAlertDefaultReturn);
    choose("View", "Reset Settings");
    ASSERT_EQ(alerts->alerts().size(), 2u);
    expectShown(kDefaults, "reset");
    for (const Preferences::Setting& s : Preferences::settings()) {
        EXPECT_FALSE(QSettings().contains(QString::fromLatin1(s.key))) << s.key;
    }
    restart();
    expectShown(kDefaults, "the start after a reset");

    // --reset-settings forgets them before the window is made.
    EXPECT_TRUE(CommandLine::read({QStringLiteral("zwmap"), QStringLiteral("--reset-settings")})
                    .resetSettings);
    EXPECT_FALSE(CommandLine::read({QStringLiteral("zwmap")}).resetSettings);
    choose("Domain", "Colour Wheel");
    WindowPreferences::forgetStored();
    restart();
    expectShown(kDefaults, "after --reset-settings");
}

}  // namespace
}  // namespace zw::test
