#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QPushButton>

#include "WindowTest.h"
#include "qt/ParameterDialog.h"
#include "support/LogCapture.h"

namespace zw::test {
namespace {

using ParameterDialogTest = WindowTest;

void fill(ParameterDialog* dialog, std::initializer_list<const char*> texts) {
    int i = 0;
    for (const char* text : texts) {
        dialog->field(i++)->setText(QString::fromUtf8(text));
    }
}

TEST_F(ParameterDialogTest, AffineDialogInstallsItsMapClosesAndKeepsItsFields) {
    LogCapture log;
    trigger("Function", "Affine Map...");
    ParameterDialog* dialog = window->affineDialog();
    ASSERT_TRUE(dialog->isVisible());
    // aR aI bR bI cR cI dR dI: u = 1, v = 2, the identity matrix; cR and dR are never read.
    fill(dialog, {"1", "1", "2", "0", "7", "0", "7", "1"});
    dialog->okButton()->click();

    EXPECT_FALSE(dialog->isVisible());
    const CGPoint w = window->controller()->transform({3.0, 4.0});
    EXPECT_DOUBLE_EQ(w.x, 4.0);
    EXPECT_DOUBLE_EQ(w.y, 6.0);
    EXPECT_TRUE(log.contains("AffineController.closeWindow here, aR = 1"));
    EXPECT_EQ(window->findChild<QActionGroup*>()->checkedAction(),
              action("Function", "Affine Map..."))
        << "the mark is on the map in use";

    trigger("Function", "Affine Map...");
    EXPECT_EQ(dialog->field(2)->text(), QStringLiteral("2"));
    dialog->close();
    trigger("Function", "Negate");
    EXPECT_TRUE(action("Function", "Negate")->isChecked());
}

}  // namespace
}  // namespace zw::test
