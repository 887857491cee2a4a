#include <QAction>

#include "WindowTest.h"
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

}  // namespace
}  // namespace zw::test
