#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTableWidget>
#include <QWheelEvent>
#include <cmath>
#include <vector>

#include "WindowTest.h"
#include "engine/Transformations.h"
#include "qt/CursorLink.h"
#include "qt/HelpMenu.h"
#include "qt/StatusBar.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw::test {
namespace {

class NavigationTest : public WindowTest {
  protected:
    static CGPoint viewPoint(PlaneWidget* pane, QPointF at) {
        return CGPoint{at.x(), pane->height() - at.y()};
    }
    // The widget position of the view position (dx, dy) from the view centre.
    static QPointF widgetPoint(PlaneWidget* pane, int dx, int dy) {
        return QPointF(pane->width() / 2 + dx, pane->height() - (pane->height() / 2 + dy));
    }
    static void wheel(PlaneWidget* pane, QPointF at, QPoint angle,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier, QPoint pixels = {}) {
        QWheelEvent event(at, pane->mapToGlobal(at), pixels, angle, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(pane, &event);
    }
    static void mouse(PlaneWidget* pane, QEvent::Type type, QPointF at, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, pane->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(pane, &event);
    }
    static void hover(PlaneWidget* pane, QPointF at) {
        mouse(pane, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    }
    static void leave(PlaneWidget* pane) {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(pane, &event);
    }
    // Column of the imaginary axis in the pane's image, on a row away from the real axis.
    static int axisColumn(PlaneWidget* pane) {
        const CGPoint o = pane->view()->trueCoordinatesToViewCoordinates({0, 0});
        const int row =
            std::clamp(pane->height() - static_cast<int>(o.y) - 75, 0, pane->height() - 30);
        return darkestColumn(pane->image(), row);
    }
    StatusBar* status() const { return window->statusLine(); }
};

TEST_F(NavigationTest, WheelNotchesZoomAboutThePointerAndSmallStepsAddUp) {
    DomainView& domain = *window->domainView();
    const QPointF at(domainPane()->width() * 0.3, domainPane()->height() * 0.7);
    const CGPoint under = domain.viewCoordinatesToTrueCoordinates(viewPoint(domainPane(), at));

    wheel(domainPane(), at, {0, 120});
    EXPECT_EQ(domain.scaleFactor, 2.0f);
    EXPECT_EQ(domain.viewCoordinatesToTrueCoordinates(viewPoint(domainPane(), at)), under);
    EXPECT_EQ(window->rangeView()->scaleFactor, 1.0f) << "only the plane under the pointer";
    EXPECT_EQ(status()->zoomText(), QStringLiteral("zoom z ×2  w ×1"));

    // A trackpad's small steps: thirty of 4 make one notch.
    for (int i = 0; i < 29; ++i) {
        wheel(domainPane(), at, {0, 4});
    }
    EXPECT_EQ(domain.scaleFactor, 2.0f);
    wheel(domainPane(), at, {0, 4});
    EXPECT_EQ(domain.scaleFactor, 4.0f);
    // Thirty notches out, with Ctrl held: the same zoom.
    for (int i = 0; i < 30; ++i) {
        wheel(domainPane(), at, {0, -120}, Qt::ControlModifier);
    }
    EXPECT_EQ(domain.scaleFactor, 0x1p-28f);
    for (int i = 0; i < 28; ++i) {
        wheel(domainPane(), at, {0, 120});
    }
    EXPECT_EQ(domain.scaleFactor, 1.0f);
    // Far out the translation rounds, a little.
    const CGPoint back = domain.viewCoordinatesToTrueCoordinates(viewPoint(domainPane(), at));
    EXPECT_NEAR(back.x, under.x, 1e-6);
    EXPECT_NEAR(back.y, under.y, 1e-6);
    // No horizontal wheel zoom.
    wheel(domainPane(), at, {240, 0});
    EXPECT_EQ(domain.scaleFactor, 1.0f);
    // A device that reports only pixels: they add up the same way, and turning back starts over.
    wheel(domainPane(), at, {}, Qt::NoModifier, {0, 100});
    wheel(domainPane(), at, {}, Qt::NoModifier, {0, -10});
    wheel(domainPane(), at, {}, Qt::NoModifier, {0, 100});
    EXPECT_EQ(domain.scaleFactor, 1.0f);
    wheel(domainPane(), at, {}, Qt::NoModifier, {0, 100});
    EXPECT_EQ(domain.scaleFactor, 2.0f);
    wheel(domainPane(), at, {0, -120});
    EXPECT_EQ(domain.scaleFactor, 1.0f);

    // The picture shows it: the labelled tick one unit right of the origin moves to two units.
    const int before = axisColumn(domainPane());
    const QPointF origin(before, domainPane()->height() / 2.0);
    wheel(domainPane(), origin, {0, 120});
    EXPECT_NEAR(axisColumn(domainPane()), before, 1) << "zooming at the axis keeps the axis";
    wheel(rangePane(), QPointF(10, 10), {0, -120});
    EXPECT_EQ(window->rangeView()->scaleFactor, 0.5f);
}

TEST_F(NavigationTest, MiddleAndRightDragsPanLiveAndDrawNoPath) {
    DomainView& domain = *window->domainView();
    RangeView& range = *window->rangeView();
    const std::size_t paths = domain.paths.size();
    const bool undoable = window->undoManager()->canUndo();

    for (const Qt::MouseButton button : {Qt::MiddleButton, Qt::RightButton}) {
        const QImage rangeBefore = rangePane()->image().copy();
        const CGPoint t0 = domain.translation;
        const int column0 = axisColumn(domainPane());
        const QPointF from(200, 200);
        mouse(domainPane(), QEvent::MouseButtonPress, from, button, button);
        for (int i = 1; i <= 10; ++i) {
            mouse(domainPane(), QEvent::MouseMove, from + QPointF(3 * i, -2 * i), Qt::NoButton,
                  button);
        }
        // Live: the axis is already where the plane went.
        EXPECT_EQ(axisColumn(domainPane()), column0 + 30);
        EXPECT_EQ(changedPixels(rangeBefore, rangePane()->image()), 0)
            << "the images of the grid wait for the release";
        mouse(domainPane(), QEvent::MouseButtonRelease, from + QPointF(30, -20), button,
              Qt::NoButton);
        EXPECT_EQ(domain.translation, (CGPoint{t0.x + 30, t0.y + 20}));
        EXPECT_EQ(domain.paths.size(), paths) << "no path drawn";
        EXPECT_TRUE(range.paths.empty());
        EXPECT_EQ(window->undoManager()->canUndo(), undoable);
        EXPECT_EQ(axisColumn(domainPane()), column0 + 30);
        EXPECT_GT(changedPixels(rangeBefore, rangePane()->image()), 100)
            << "the grid's images were rebuilt at the end";
    }
    // Shaded: the boxes move with the drag, and the release builds those of the new view.
    trigger("Domain", "Shade by Modulus");
    const std::vector<ColoredRect> start = domain.contours;
    mouse(domainPane(), QEvent::MouseButtonPress, {300, 300}, Qt::MiddleButton, Qt::MiddleButton);
    mouse(domainPane(), QEvent::MouseMove, {310, 305}, Qt::NoButton, Qt::MiddleButton);
    ASSERT_EQ(domain.contours.size(), start.size());
    EXPECT_EQ(domain.contours.front().rect.origin,
              (CGPoint{start.front().rect.origin.x + 10, start.front().rect.origin.y - 5}));
    mouse(domainPane(), QEvent::MouseButtonRelease, {310, 305}, Qt::MiddleButton, Qt::NoButton);
    const std::vector<ColoredRect> shading = domain.contours;
    domain.constructContours();
    ASSERT_EQ(shading.size(), domain.contours.size());
    EXPECT_EQ(shading.front().rect, domain.contours.front().rect);
    EXPECT_NE(shading.front().rect, start.front().rect);

    // The range pans the same way; the left button still draws in the domain.
    mouse(rangePane(), QEvent::MouseButtonPress, {50, 50}, Qt::MiddleButton, Qt::MiddleButton);
    mouse(rangePane(), QEvent::MouseMove, {10, 90}, Qt::NoButton, Qt::MiddleButton);
    mouse(rangePane(), QEvent::MouseButtonRelease, {10, 90}, Qt::MiddleButton, Qt::NoButton);
    EXPECT_EQ(range.translation, (CGPoint{-40, -40}));
    drag(domainPane(), {{100, 100}, {140, 120}});
    EXPECT_EQ(domain.paths.size(), paths + 1);
}

TEST_F(NavigationTest, MarkersNeverTouchTheBackingImage) {
    trigger("Function", "Invert");
    const QImage domainBefore = domainPane()->image().copy();
    const QImage rangeBefore = rangePane()->image().copy();
    for (int i = 0; i < 50; ++i) {
        hover(domainPane(), QPointF(100 + 3 * i, 80 + 2 * i));
        hover(rangePane(), QPointF(300 - 4 * i, 90 + i));
    }
    settle();
    EXPECT_EQ(changedPixels(domainBefore, domainPane()->image()), 0);
    EXPECT_EQ(changedPixels(rangeBefore, rangePane()->image()), 0);

    // Over the range with Invert: a ring in the domain at f⁻¹(w), on screen but not in the image.
    leave(domainPane());
    const QPointF at = widgetPoint(rangePane(), 100, 0);
    hover(rangePane(), at);
    ASSERT_TRUE(domainPane()->marker().has_value());
    EXPECT_FALSE(rangePane()->marker().has_value());
    const CGPoint m = *domainPane()->marker();
    const CGPoint z = window->domainView()->viewCoordinatesToTrueCoordinates(m);
    EXPECT_NEAR(z.x, 1.0, 1e-9);
    EXPECT_NEAR(z.y, 0.0, 1e-9);
    const QImage shown = domainPane()->grab().toImage();
    const QPoint ring(static_cast<int>(m.x + PlaneWidget::kMarkerRadius),
                      domainPane()->height() - static_cast<int>(m.y));
    EXPECT_GT(nonWhitePixels(shown, QRect(ring - QPoint(1, 1), QSize(3, 3))), 0);
    EXPECT_EQ(status()->pointerText(),
              QStringLiteral("w = 1.000 + 0.000i    f⁻¹(w) = 1.000 + 0.000i"));

    // Switched off from the View menu, and gone when the pointer leaves.
    trigger("View", "Linked Cursor");
    EXPECT_FALSE(domainPane()->marker().has_value());
    trigger("View", "Linked Cursor");
    EXPECT_TRUE(domainPane()->marker().has_value());
    leave(rangePane());
    EXPECT_FALSE(domainPane()->marker().has_value());
    EXPECT_EQ(status()->pointerText(), QString());

    // While drawing, the image being drawn is its own marker; the next hover brings the ring.
    drag(domainPane(), {{150, 150}, {170, 160}});
    EXPECT_FALSE(rangePane()->marker().has_value());
    EXPECT_TRUE(status()->pointerText().startsWith(QStringLiteral("z = ")));
    hover(domainPane(), {171, 160});
    EXPECT_TRUE(rangePane()->marker().has_value());
}

// Without an inverse, every preimage in view gets its own ring on screen.
TEST_F(NavigationTest, OverTheRangeEachPreimageHasARing) {
    trigger("Function", "Square");
    hover(rangePane(), widgetPoint(rangePane(), 100, 0));  // w = 1: z = -1 and z = 1
    const std::vector<CGPoint> rings = domainPane()->markers();
    ASSERT_EQ(rings.size(), 2u);
    // The rings are on screen, not in the image: where they are, the two differ.
    const QImage shown = domainPane()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage image = domainPane()->image().convertToFormat(QImage::Format_RGB32);
    for (const CGPoint m : rings) {
        const CGPoint z = window->domainView()->viewCoordinatesToTrueCoordinates(m);
        EXPECT_NEAR(std::fabs(z.x), 1.0, 1e-9);
        EXPECT_NEAR(z.y, 0.0, 1e-9);
        const int x = static_cast<int>(m.x + PlaneWidget::kMarkerRadius);
        const int y = domainPane()->height() - static_cast<int>(m.y);
        int differing = 0;
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                differing += shown.pixel(x + dx, y + dy) != image.pixel(x + dx, y + dy);
            }
        }
        EXPECT_GT(differing, 0) << z.x;
    }
    EXPECT_EQ(status()->pointerText(),
              QStringLiteral("w = 1.000 + 0.000i    2 preimages: -1.000 + 0.000i, 1.000 + 0.000i"));
    leave(rangePane());
    EXPECT_TRUE(domainPane()->markers().empty());
}

TEST_F(NavigationTest, StatusBarFollowsThePointerTheFunctionAndTheZoom) {
    const QPointF at = widgetPoint(domainPane(), 50, 125);
    hover(domainPane(), at);
    EXPECT_EQ(status()->pointerText().left(22), QStringLiteral("z = 0.500 + 1.250i    "));
    EXPECT_TRUE(status()->pointerText().contains(QStringLiteral("f(z) = ")));
    ASSERT_TRUE(rangePane()->marker().has_value());
    EXPECT_EQ(status()->functionText(), QStringLiteral("Exponentiate"));
    leave(domainPane());
    hover(rangePane(), widgetPoint(rangePane(), 0, 50));
    EXPECT_EQ(status()->pointerText(),
              QStringLiteral("w = 0.000 + 0.500i    1 preimage: -0.693 + 1.571i"));
    trigger("Function", "Square");
    EXPECT_EQ(status()->functionText(), QStringLiteral("Square"));
    trigger("Range", "Zoom In");
    EXPECT_EQ(status()->zoomText(), QStringLiteral("zoom z ×1  w ×2"));
}

// With the pointer still, the status bar reads the new f at once; at a pole it says so and no
// ring marks the engine's stand-in; a function that is finite nowhere leaves no stale picture.
TEST_F(NavigationTest, TheStatusBarFollowsTheFunctionAndSaysWhatCannotBeShown) {
    hover(domainPane(), widgetPoint(domainPane(), 50, 20));
    trigger("Function", "Square");
    EXPECT_EQ(status()->pointerText(),
              QStringLiteral("z = 0.500 + 0.200i    f(z) = 0.210 + 0.200i"));
    trigger("Function", "Invert");
    EXPECT_EQ(status()->pointerText(),
              QStringLiteral("z = 0.500 + 0.200i    f(z) = 1.724 - 0.690i"));
    hover(domainPane(), widgetPoint(domainPane(), 0, 0));
    EXPECT_EQ(status()->pointerText(), QStringLiteral("z = 0.000 + 0.000i    f(z) = ∞"));
    EXPECT_FALSE(rangePane()->marker().has_value());
    EXPECT_TRUE(status()->noteText().isEmpty());

    trigger("Range", "Show Grid Images");
    const QImage noGridImages = rangePane()->image().copy();
    trigger("Range", "Show Grid Images");
    ASSERT_GT(changedPixels(noGridImages, rangePane()->image()), 0);
    std::string error;
    ASSERT_TRUE(window->controller()->setFormula("1/0", "", error));
    window->sessionApplied();  // the window's refresh after a change of f
    EXPECT_EQ(changedPixels(noGridImages, rangePane()->image()), 0);
    EXPECT_FALSE(status()->noteText().isEmpty());
    trigger("Function", "Identity");
    EXPECT_TRUE(status()->noteText().isEmpty());
}

TEST_F(NavigationTest, PlusAndMinusZoomTheFocusedPlaneAndResetViewGoesBack) {
    DomainView& domain = *window->domainView();
    key(domainPane(), Qt::Key_Plus, QStringLiteral("+"));
    EXPECT_EQ(domain.scaleFactor, 2.0f);
    key(domainPane(), Qt::Key_Equal, QStringLiteral("="));
    EXPECT_EQ(domain.scaleFactor, 4.0f);
    QKeyEvent keypadMinus(QEvent::KeyPress, Qt::Key_Minus, Qt::KeypadModifier, QStringLiteral("-"));
    QApplication::sendEvent(domainPane(), &keypadMinus);
    EXPECT_EQ(domain.scaleFactor, 2.0f);
    key(rangePane(), Qt::Key_Minus, QStringLiteral("-"));
    EXPECT_EQ(window->rangeView()->scaleFactor, 0.5f);
    settle();
    for (QMessageBox* box : window->findChildren<QMessageBox*>()) {
        EXPECT_FALSE(box->isVisible()) << "plus and minus are recognised keys";
    }

    key(domainPane(), Qt::Key_Left);
    trigger("Domain", "Reset View");
    EXPECT_EQ(domain.scaleFactor, 1.0f);
    EXPECT_EQ(domain.translation, (CGPoint{0, 0}));
    trigger("Range", "Reset View");
    EXPECT_EQ(window->rangeView()->scaleFactor, 1.0f);

    // The range's zoom items have shortcuts of their own.
    const QKeySequence rangeIn = action("Range", "Zoom In")->shortcut();
    const QKeySequence rangeOut = action("Range", "Zoom Out")->shortcut();
    EXPECT_FALSE(rangeIn.isEmpty());
    EXPECT_FALSE(rangeOut.isEmpty());
    for (const QKeySequence& domainKey :
         action("Domain", "Zoom In")->shortcuts() + action("Domain", "Zoom Out")->shortcuts()) {
        EXPECT_NE(domainKey, rangeIn);
        EXPECT_NE(domainKey, rangeOut);
    }
}

TEST_F(NavigationTest, HelpListsKeysAndFunctionsAndClosesWithEscape) {
    trigger("Help", "Keys and Mouse");
    QDialog* keys = window->helpMenu()->keysDialog();
    ASSERT_TRUE(keys->isVisible());
    auto* table = keys->findChild<QTableWidget*>(QStringLiteral("entries"));
    ASSERT_NE(table, nullptr);
    QStringList listed;
    for (int row = 0; row < table->rowCount(); ++row) {
        listed << table->item(row, 0)->text() + QStringLiteral(" | ") + table->item(row, 1)->text();
    }
    const QString all = listed.join(QLatin1Char('\n'));
    for (const QString& expected :
         {QStringLiteral("Wheel"), QStringLiteral("Middle or right drag"),
          QStringLiteral("Arrow keys"), QStringLiteral("Range > Zoom In"),
          QStringLiteral("Edit > Undo"), QStringLiteral("File > Quit"),
          action("Range", "Zoom Out")->shortcut().toString(QKeySequence::NativeText)}) {
        EXPECT_TRUE(all.contains(expected)) << expected.toStdString();
    }
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(keys, &escape);
    EXPECT_FALSE(keys->isVisible());

    const auto& functions = HelpMenu::functions();
    for (const QString& title : MainWindow::functionTitles()) {
        EXPECT_TRUE(std::any_of(functions.begin(), functions.end(), [&](const HelpMenu::Entry& e) {
            return e.name == title;
        })) << title.toStdString();
    }
    // The catalogue, the three typed maps and the formula.
    EXPECT_EQ(functions.size(), MainWindow::functionTitles().size() + 4);
    EXPECT_TRUE(functions[17].meaning.contains(QStringLiteral("(x + 1/x) + i(y + 1/y)")));
    // Which have inverses agrees with the engine.
    Transformations engine;
    for (std::size_t i = 0; i < MainWindow::functionTitles().size(); ++i) {
        engine.setFunction(functions[i].name.toStdString());
        EXPECT_EQ(!functions[i].meaning.contains(QStringLiteral("no inverse")), engine.hasInverse())
            << functions[i].name.toStdString();
    }

    const QString about = HelpMenu::aboutText();
    EXPECT_TRUE(about.contains(QStringLiteral(QT_VERSION_STR)));
    EXPECT_TRUE(about.contains(QStringLiteral("MIT")));
    EXPECT_TRUE(about.contains(QRegularExpression(QStringLiteral("zwmap \\d+\\.\\d+"))));
}

TEST_F(NavigationTest, EveryMenuItemHasAStatusTip) {
    std::vector<QMenu*> pending;
    for (QAction* top : window->menuBar()->actions()) {
        pending.push_back(top->menu());
    }
    while (!pending.empty()) {
        QMenu* menu = pending.back();
        pending.pop_back();
        for (QAction* item : menu->actions()) {
            if (item->menu() != nullptr) {
                pending.push_back(item->menu());
            } else if (!item->isSeparator()) {
                EXPECT_FALSE(item->statusTip().isEmpty()) << item->text().toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace zw::test
