#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "WindowTest.h"
#include "engine/ComplexFunctions.h"
#include "engine/Transformations.h"
#include "engine/UserMaps.h"
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

// A key typed in a widget, passed up to the dialog when the widget does not take it.
void press(int key, QWidget* to) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
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

TEST_F(ParameterDialogTest, FieldsThatDoNotReadAreMarkedAndKeepOkAndReturnFromInstalling) {
    trigger("Function", "Möbius Map...");
    ParameterDialog* dialog = window->mobiusDialog();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->okButton()->isEnabled());

    // Field, text typed, what is said under it (every reason is in the unit tests).
    const struct {
        int field;
        const char* text;
        const char* message;
    } refused[] = {
        {2, "2,5", "Use '.' as the decimal point."},
        {0, "abc", "Not a number."},
        {1, "", "Type a number."},
        {4, "1e39", "Too large (over 3.4e38)."},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.text);
        const QString before = dialog->field(r.field)->text();
        dialog->field(r.field)->setText(QString::fromUtf8(r.text));
        EXPECT_EQ(dialog->fieldMessage(r.field)->text(), QString::fromUtf8(r.message));
        EXPECT_EQ(dialog->marked(r.field), r.text[0] != '\0');
        EXPECT_FALSE(dialog->okButton()->isEnabled());
        press(Qt::Key_Return, dialog->field(r.field));
        EXPECT_TRUE(dialog->isVisible()) << "Return does nothing while a field does not read";
        EXPECT_NE(engine::func, &usersMobiusMap);
        dialog->field(r.field)->setText(before);
        EXPECT_TRUE(dialog->fieldMessage(r.field)->text().isEmpty());
        EXPECT_FALSE(dialog->marked(r.field));
        EXPECT_TRUE(dialog->okButton()->isEnabled());
    }

    // ad - bc = 0 is no map; a blank around a number is no fault.
    fill(dialog, {"1", "0", "2", "0", "0.5", "0", "1", "0"});
    EXPECT_FALSE(dialog->okButton()->isEnabled());
    EXPECT_FALSE(dialog->mapMessage()->text().isEmpty());
    fill(dialog, {"2", "0", " 0.5", "0", "0", "0", "+2 ", "0"});
    EXPECT_TRUE(dialog->okButton()->isEnabled());
    EXPECT_TRUE(dialog->mapMessage()->text().isEmpty());
    press(Qt::Key_Return, dialog->field(3));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(engine::func, &usersMobiusMap);
    EXPECT_EQ(window->controller()->transform({1.0, 1.0}), (CGPoint{1.25, 1.0}));
}

TEST_F(ParameterDialogTest, CancelAndEscapeChangeNothingAndTheNextOpeningShowsTheMapInUse) {
    for (const QString& title :
         {QStringLiteral("Möbius Map..."), QStringLiteral("Cubic Polynomial..."),
          QStringLiteral("Affine Map...")}) {
        SCOPED_TRACE(title.toStdString());
        trigger("Function", "Square");
        trigger("Function", title);
        auto* dialog = window->findChildren<ParameterDialog*>().at(0);
        for (ParameterDialog* each : window->findChildren<ParameterDialog*>()) {
            if (each->isVisible()) {
                dialog = each;
            }
        }
        ASSERT_TRUE(dialog->isVisible());
        ASSERT_TRUE(dialog->cancelButton() != nullptr);
        const QString first = dialog->field(0)->text();
        dialog->field(0)->setText(QStringLiteral("3"));
        dialog->cancelButton()->click();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(engine::func, &square);
        EXPECT_TRUE(action("Function", "Square")->isChecked());

        trigger("Function", title);
        EXPECT_EQ(dialog->field(0)->text(), first);
        dialog->field(0)->setText(QStringLiteral("x"));
        press(Qt::Key_Escape, dialog->field(0));
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(engine::func, &square);
        trigger("Function", title);
        EXPECT_EQ(dialog->field(0)->text(), first);
        EXPECT_TRUE(dialog->okButton()->isEnabled()) << "the affine map's unused fields are blank";
        dialog->okButton()->click();
        EXPECT_NE(engine::func, &square);
    }
}

}  // namespace
}  // namespace zw::test
