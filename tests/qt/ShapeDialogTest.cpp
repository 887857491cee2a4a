#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "WindowTest.h"
#include "qt/ShapeDialog.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw::test {
namespace {

using ShapeDialogTest = WindowTest;

TEST_F(ShapeDialogTest, BadTextKeepsOkDisabledAndAGoodCircleBecomesAPath) {
    trigger("Edit", "Add Circle...");
    auto* dialog = window->findChild<ShapeDialog*>(QStringLiteral("addCircle"));
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->acceptable());
    dialog->field(2)->setText(QStringLiteral("0,5"));
    EXPECT_FALSE(dialog->acceptable());
    EXPECT_TRUE(dialog->problem()->text().contains(QStringLiteral("'.'")));
    dialog->field(2)->setText(QStringLiteral("0.5"));
    EXPECT_TRUE(dialog->acceptable());
    EXPECT_TRUE(dialog->problem()->text().isEmpty());

    const QImage before = domainPane()->image().copy();
    QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    dialog->field(0)->setText(QStringLiteral("zero"));
    EXPECT_FALSE(ok->isEnabled());
    dialog->field(0)->setText(QStringLiteral("0"));
    ok->click();
    settle();
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(window->domainView()->paths.size(), 1u);
    ASSERT_EQ(window->rangeView()->paths.size(), 1u);
    EXPECT_GT(changedPixels(before, domainPane()->image()), 100);
    EXPECT_EQ(action("Edit", "Undo Last Path Drawn")->isEnabled(), true);
}

}  // namespace
}  // namespace zw::test
