#include <QAction>
#include <QApplication>
#include <QMouseEvent>

#include "WindowTest.h"
#include "qt/StatusBar.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw::test {
namespace {

using MathsMenusTest = WindowTest;

TEST_F(MathsMenusTest, TheOptionsStartAtTheOldPicturesAndSwitchAsTheirItemsSay) {
    QAction* follow = action("View", "Follow Curves Near Poles");
    ASSERT_NE(follow, nullptr);
    EXPECT_FALSE(follow->isChecked());
    EXPECT_TRUE(action("Domain", "Classic")->isChecked());
    EXPECT_FALSE(action("Domain", "Colour Wheel")->isChecked());

    trigger("View", "Follow Curves Near Poles");
    EXPECT_TRUE(follow->isChecked());
    EXPECT_TRUE(window->controller()->followCurvesNearPoles);
    trigger("View", "Follow Curves Near Poles");
    EXPECT_FALSE(window->controller()->followCurvesNearPoles);

    trigger("Domain", "Shade by Argument");
    const QImage classic = domainPane()->image().copy();
    trigger("Domain", "Colour Wheel");
    EXPECT_TRUE(action("Domain", "Colour Wheel")->isChecked());
    EXPECT_FALSE(action("Domain", "Classic")->isChecked());
    EXPECT_EQ(window->domainView()->shadingColours, ShadingColours::ColourWheel);
    EXPECT_GT(changedPixels(classic, domainPane()->image()), 10000);

    drag(domainPane(), {{100, 100}, {140, 120}, {160, 160}});
    trigger("Function", "Square");
    trigger("Range", "Redraw Images Under Current Function");
    EXPECT_TRUE(action("Edit", "Undo Redraw Images")->isEnabled());
}

// The marks are drawn into the planes' pictures and named under the pointer; the pull-back on
// every branch draws a grid in the domain for a function without an inverse.
TEST_F(MathsMenusTest, MarksAreDrawnAndNamedAndSquareIsPulledBackOnEveryBranch) {
    trigger("Function", "Square");
    const QImage plain = domainPane()->image().copy();
    trigger("View", "Zeros, Poles and Critical Points");
    EXPECT_TRUE(action("View", "Zeros, Poles and Critical Points")->isChecked());
    EXPECT_GT(changedPixels(plain, domainPane()->image()), 20);

    const CGPoint origin = window->domainView()->trueCoordinatesToViewCoordinates({0, 0});
    const QPointF at(origin.x + 1, domainPane()->height() - origin.y);
    QMouseEvent move(QEvent::MouseMove, at, domainPane()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(domainPane(), &move);
    EXPECT_EQ(window->statusLine()->pointerText(),
              QStringLiteral("zero of order 2 at 0.000 + 0.000i"));

    const QImage marked = domainPane()->image().copy();
    trigger("View", "Pull Back Grid on Every Branch");
    EXPECT_FALSE(window->domainView()->inverseGridlines.empty());
    EXPECT_GT(changedPixels(marked, domainPane()->image()), 200);
}

}  // namespace
}  // namespace zw::test
