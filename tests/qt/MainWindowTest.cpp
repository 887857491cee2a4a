#include <QAction>
#include <QColorDialog>
#include <QMenu>

#include "WindowTest.h"
#include "engine/Transformations.h"
#include "qt/QtColorPanel.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw::test {
namespace {

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, OpensWithTheTwoPlanesSideBySideAtTheirPaneSizes) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("zwmap"));
    ASSERT_TRUE(domainPane()->isVisible());
    ASSERT_TRUE(rangePane()->isVisible());
    EXPECT_LT(domainPane()->mapTo(window.get(), QPoint(0, 0)).x(),
              rangePane()->mapTo(window.get(), QPoint(0, 0)).x());
    EXPECT_LE(std::abs(domainPane()->width() - rangePane()->width()), 1);
    for (PlaneWidget* pane : {domainPane(), rangePane()}) {
        EXPECT_EQ(pane->view()->viewWidth, pane->width());
        EXPECT_EQ(pane->view()->viewHeight, pane->height());
        EXPECT_EQ(pane->image().size(), pane->size());
        EXPECT_FALSE(pane->view()->needsCompleteRedraw) << "the first pass has not run";
    }
    // Showing the window at the size it was laid out with is no resize.
    EXPECT_FALSE(domainPane()->inLiveResize());
}

TEST_F(MainWindowTest, FunctionMenuListsTheCatalogueAndSelectsInTheEngine) {
    QMenu* function = menuNamed(*window, QStringLiteral("Function"));
    ASSERT_NE(function, nullptr);
    const QList<QAction*> items = function->actions();
    const std::vector<QString>& titles = MainWindow::functionTitles();
    ASSERT_GE(items.size(), static_cast<qsizetype>(titles.size()));
    ASSERT_EQ(titles.size(), 18u);
    for (std::size_t i = 0; i < titles.size(); ++i) {
        EXPECT_EQ(items[static_cast<qsizetype>(i)]->text(), titles[i]);
    }
    EXPECT_EQ(titles[5], QStringLiteral("Hyperbolic Plane To Disk"));
    EXPECT_EQ(titles[6], QStringLiteral("Hyperbolic Disk to Plane"));
    EXPECT_TRUE(action("Function", "Exponentiate")->isChecked());
    EXPECT_EQ(engine::func, &exponentiate);

    trigger("Function", "Square");
    EXPECT_EQ(engine::func, &square);
    EXPECT_TRUE(action("Function", "Square")->isChecked());
    EXPECT_FALSE(action("Function", "Exponentiate")->isChecked());

    trigger("Function", "Hyperbolic Disk to Plane");
    EXPECT_EQ(engine::func, &inverseHyperbolic);
    EXPECT_EQ(engine::funcinv, &hyperbolic);
    trigger("Function", "1/(exp(1/z)-1)");
    EXPECT_EQ(engine::func, &expnoniso);
}

// The logic flips a toggle from the state the item had before the click; the menu must not
// have flipped it already.
TEST_F(MainWindowTest, DisplayTogglesKeepCheckMarkAndFlagTogether) {
    DomainView* domain = window->domainView();
    QAction* grid = action("Domain", "Show Grid");
    ASSERT_TRUE(grid->isCheckable());
    EXPECT_TRUE(grid->isChecked());
    EXPECT_TRUE(domain->showGridlines);
    const std::size_t lines = domain->gridlines.size();
    ASSERT_GT(lines, 0u);

    grid->trigger();
    EXPECT_FALSE(grid->isChecked());
    EXPECT_FALSE(domain->showGridlines);
    EXPECT_TRUE(domain->gridlines.empty());
    grid->trigger();
    EXPECT_TRUE(grid->isChecked());
    EXPECT_EQ(domain->gridlines.size(), lines);

    QAction* labels = action("Range", "Show Axis Labels");
    EXPECT_TRUE(labels->isChecked());
    labels->trigger();
    EXPECT_FALSE(labels->isChecked());
    EXPECT_FALSE(window->rangeView()->tickMarks);
    EXPECT_TRUE(window->rangeView()->axesLabels.empty());

    // Drawing in the range: off at first, and the item follows it without a word.
    QAction* allow = action("Range", "Allow Drawing");
    EXPECT_FALSE(allow->isChecked());
    allow->trigger();
    EXPECT_TRUE(allow->isChecked());
    EXPECT_TRUE(window->rangeView()->allowDrawing);
    allow->trigger();
    EXPECT_FALSE(allow->isChecked());
    EXPECT_FALSE(window->rangeView()->allowDrawing);
    EXPECT_TRUE(alerts->alerts().empty());

    EXPECT_FALSE(action("Range", "Show Grid")->isChecked());
    EXPECT_TRUE(action("Range", "Show Grid Images")->isChecked());
    EXPECT_FALSE(action("Domain", "Shade by Modulus")->isChecked());
    EXPECT_FALSE(action("Domain", "Show Path Images in Domain")->isChecked());
}

TEST_F(MainWindowTest, InverseImagesItemFollowsTheControllerThroughAlerts) {
    QAction* inverse = action("Domain", "Show Inverse Images of Range Grid");
    alerts->expect();
    inverse->trigger();
    ASSERT_EQ(alerts->alerts().size(), 1u);
    EXPECT_EQ(alerts->alerts()[0].title,
              "The currently selected function has no suitable inverse.");
    EXPECT_FALSE(inverse->isChecked());

    trigger("Function", "Invert");
    inverse->trigger();
    EXPECT_TRUE(inverse->isChecked());
    EXPECT_FALSE(window->domainView()->inverseGridlines.empty());

    // A function without inverse switches the option off from the controller's side.
    alerts->expect();
    trigger("Function", "Square");
    ASSERT_EQ(alerts->alerts().size(), 2u);
    EXPECT_EQ(alerts->alerts()[1].title,
              "As the new function has no suitable inverse, the inverse images of range "
              "gridlines will no longer be shown.");
    EXPECT_FALSE(inverse->isChecked());
    EXPECT_TRUE(window->domainView()->inverseGridlines.empty());
}

TEST_F(MainWindowTest, ColourPanelServesThePlaneThatOpenedItLast) {
    DomainView* domain = window->domainView();
    RangeView* range = window->rangeView();
    QColorDialog* panel = window->colorPanel()->dialog();
    trigger("Domain", "Other...");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_FALSE(panel->isModal());
    panel->setCurrentColor(QColor(0, 0, 255));
    EXPECT_EQ(domain->pathColor, Color::blueColor());
    EXPECT_EQ(range->pathColor, Color::blackColor());

    trigger("Range", "Other...");
    panel->setCurrentColor(QColor(255, 0, 0));
    EXPECT_EQ(range->pathColor, Color::redColor());
    EXPECT_EQ(domain->pathColor, Color::blueColor());
    panel->close();

    trigger("Range", "Green");
    const int w = domainPane()->width();
    const int h = domainPane()->height();
    drag(domainPane(), {{w / 2.0, h / 2.0}, {w / 2.0 + 30, h / 2.0}});
    EXPECT_EQ(domain->paths.back()->color, Color::blueColor());
    EXPECT_EQ(range->paths.back()->color, Color::greenColor());
    EXPECT_EQ(domain->transformedPathsShownInDomain.back()->color, Color::greenColor());
}

}  // namespace
}  // namespace zw::test
