#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "WindowTest.h"
#include "engine/FormulaMaps.h"
#include "engine/Transformations.h"
#include "qt/FormulaDialog.h"
#include "qt/ParameterDialog.h"
#include "qt/StatusBar.h"
#include "views/RangeView.h"

namespace zw::test {
namespace {

using FormulaDialogTest = WindowTest;

QAction* checkedFunction(const MainWindow& window) {
    return window.findChild<QActionGroup*>()->checkedAction();
}

TEST_F(FormulaDialogTest, ChecksAsTheUserTypesAndInstallsOnlyWhatReads) {
    FormulaDialog* dialog = window->formulaDialog();
    trigger("Function", "Formula...");
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(checkedFunction(*window), action("Function", "Exponentiate"))
        << "opening the dialog moves no mark";

    dialog->formulaField()->setText(QStringLiteral("sin(z))"));
    EXPECT_FALSE(dialog->okButton()->isEnabled());
    EXPECT_EQ(dialog->formulaMessage()->text(), QStringLiteral("unexpected \")\" at column 7"));
    EXPECT_EQ(dialog->marked(dialog->formulaField()), std::make_pair(6, 1));

    dialog->formulaField()->setText(QStringLiteral("sni(z)"));
    EXPECT_EQ(dialog->formulaMessage()->text(),
              QStringLiteral("unknown function \"sni\" (for a product write sni*(...))"));
    EXPECT_EQ(dialog->marked(dialog->formulaField()), std::make_pair(0, 3));

    dialog->formulaField()->setText(QStringLiteral("(z-i)/(z+i)"));
    EXPECT_TRUE(dialog->okButton()->isEnabled());
    EXPECT_TRUE(dialog->formulaMessage()->text().isEmpty());
    EXPECT_EQ(dialog->marked(dialog->formulaField()).second, 0);

    // The inverse is a formula in w; z there is a fault.
    dialog->inverseField()->setText(QStringLiteral("i(1+z)/(1-w)"));
    EXPECT_FALSE(dialog->okButton()->isEnabled());
    EXPECT_EQ(dialog->inverseMessage()->text(),
              QStringLiteral("unknown name \"z\": the variable here is w"));
    // An inverse that reads but does not undo f is refused, one point shown, all of it marked.
    dialog->inverseField()->setText(QStringLiteral("i(1-w)/(1+w)"));
    EXPECT_FALSE(dialog->okButton()->isEnabled());
    EXPECT_TRUE(dialog->inverseMessage()->text().startsWith(
        QStringLiteral("not an inverse of f: f(inverse(w)) = ")))
        << dialog->inverseMessage()->text().toStdString();
    EXPECT_EQ(dialog->marked(dialog->inverseField()), std::make_pair(0, 12));
    dialog->inverseField()->setText(QStringLiteral("i(1+w)/(1-w)"));
    ASSERT_TRUE(dialog->okButton()->isEnabled());
    EXPECT_TRUE(dialog->inverseMessage()->text().isEmpty());

    const auto imagesBefore = window->rangeView()->transformedGridlines.size();
    ASSERT_GT(imagesBefore, 0u);
    dialog->okButton()->click();
    settle();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(engine::func, formulaFunction);
    EXPECT_TRUE(window->controller()->transformations->hasInverse());
    EXPECT_EQ(checkedFunction(*window), action("Function", "Formula..."));
    EXPECT_EQ(window->statusLine()->functionText(), QStringLiteral("f(z) = (z-i)/(z+i)"));
    const CGPoint w = window->controller()->transform({0, 1});
    EXPECT_EQ(w, (CGPoint{0, 0}));

    // Edits thrown away with Escape change nothing, and the next opening shows what is in use.
    trigger("Function", "Formula...");
    dialog->formulaField()->setText(QStringLiteral("z^3"));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dialog, &escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(window->controller()->transform({0, 1}), (CGPoint{0, 0}));
    EXPECT_EQ(checkedFunction(*window), action("Function", "Formula..."));
    trigger("Function", "Formula...");
    EXPECT_EQ(dialog->formulaField()->text(), QStringLiteral("(z-i)/(z+i)"));
    EXPECT_EQ(dialog->inverseField()->text(), QStringLiteral("i(1+w)/(1-w)"));
    dialog->reject();

    // A catalogue choice takes the mark back.
    trigger("Function", "Cube");
    EXPECT_EQ(checkedFunction(*window), action("Function", "Cube"));
}

TEST_F(FormulaDialogTest, TheMarkStaysWithTheFunctionWhenADialogIsCancelled) {
    trigger("Function", "Sin");
    trigger("Function", "Möbius Map...");
    EXPECT_EQ(checkedFunction(*window), action("Function", "Sin"));
    window->mobiusDialog()->close();
    trigger("Function", "Möbius Map...");
    window->mobiusDialog()->okButton()->click();
    settle();
    EXPECT_EQ(checkedFunction(*window), action("Function", "Möbius Map..."));
}

}  // namespace
}  // namespace zw::test
