// What assistive technology finds in the window and its dialogs, and the keyboard's ways to the
// planes.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QMessageBox>
#include <QMouseEvent>

#include <string>
#include <vector>

#include "WindowTest.h"
#include "qt/ExportDialog.h"
#include "qt/FormulaDialog.h"
#include "qt/HelpMenu.h"
#include "qt/ParameterDialog.h"
#include "qt/QtColorPanel.h"

namespace zw::test {
namespace {

using AccessibilityTest = WindowTest;

// Every interface under `root` that takes the focus and has no name, as "Role (class)".
void unnamedFocusable(QAccessibleInterface* root, std::vector<std::string>& out, int depth = 0) {
    ASSERT_LT(depth, 64) << "the accessible tree does not end";
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        ASSERT_NE(child, nullptr);
        if (child->state().focusable && child->text(QAccessible::Name).trimmed().isEmpty()) {
            const QObject* object = child->object();
            out.push_back(std::to_string(child->role()) + " (" +
                          (object != nullptr ? object->metaObject()->className() : "?") + " '" +
                          (object != nullptr ? object->objectName().toStdString() : "") + "')");
        }
        unnamedFocusable(child, out, depth + 1);
    }
}

TEST_F(AccessibilityTest, NoFocusableWidgetOfTheWindowOrItsDialogsIsNameless) {
    ExportDialog exportDialog(window.get());
    const std::vector<std::pair<const char*, QWidget*>> windows = {
        {"main window", window.get()},
        {"Möbius Map", window->mobiusDialog()},
        {"Cubic Polynomial", window->polynomialDialog()},
        {"Affine Map", window->affineDialog()},
        {"Formula", window->formulaDialog()},
        {"Add Circle", window->findChild<QDialog*>(QStringLiteral("addCircle"))},
        {"Add Line", window->findChild<QDialog*>(QStringLiteral("addLine"))},
        {"Export Picture", &exportDialog},
        {"Keys and Mouse", window->helpMenu()->keysDialog()},
        {"Functions", window->helpMenu()->functionsDialog()},
        {"About", window->helpMenu()->aboutBox()},
        {"colour chooser", window->colorPanel()->dialog()},
    };
    int focusable = 0;
    for (const auto& [title, shown] : windows) {
        SCOPED_TRACE(title);
        ASSERT_NE(shown, nullptr);
        shown->show();
        settle();
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(shown);
        ASSERT_NE(root, nullptr);
        std::vector<std::string> unnamed;
        unnamedFocusable(root, unnamed);
        EXPECT_TRUE(unnamed.empty()) << ::testing::PrintToString(unnamed);
        for (QWidget* w : shown->findChildren<QWidget*>()) {
            focusable += w->focusPolicy() != Qt::NoFocus ? 1 : 0;
        }
        if (shown != window.get()) {
            shown->hide();
        }
    }
    // The walk reached the fields: eight in each map's dialog, the planes, the buttons.
    EXPECT_GT(focusable, 40);
}

// The planes say which they are and what they do, and read out the pointer's place as their
// readouts show it.
TEST_F(AccessibilityTest, ThePlanesAreNamedDescribedAndReadOutTheirReadouts) {
    QAccessibleInterface* domain = QAccessible::queryAccessibleInterface(domainPane());
    QAccessibleInterface* range = QAccessible::queryAccessibleInterface(rangePane());
    ASSERT_NE(domain, nullptr);
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(domain->text(QAccessible::Name), QStringLiteral("z-plane, domain"));
    EXPECT_EQ(range->text(QAccessible::Name), QStringLiteral("w-plane, range"));
    EXPECT_TRUE(domain->text(QAccessible::Description).contains(QStringLiteral("draw")));
    EXPECT_TRUE(range->text(QAccessible::Description).contains(QStringLiteral("f")));
    EXPECT_TRUE(domain->state().focusable);

    // Square: the pointer at z = 1 + i (100 units a unit from the centre) reads 2i in the range.
    trigger("Function", "Square");
    // View y grows upward from the pane's bottom; the view's centre is at half its size.
    const int h = domainPane()->height();
    const QPointF at(domainPane()->width() / 2 + 100, h - (h / 2 + 100));
    QMouseEvent move(QEvent::MouseMove, at, domainPane()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(domainPane(), &move);
    settle();
    EXPECT_EQ(domain->text(QAccessible::Value), QStringLiteral("1.000, 1.000"));
    EXPECT_EQ(range->text(QAccessible::Value), QStringLiteral("0.000, 2.000"));
    EXPECT_EQ(domain->text(QAccessible::Value), domainPane()->readout());
}

// View > Go to Domain and Go to Range (Ctrl+1, Ctrl+2) give a plane the keys, and Tab goes
// from one to the other rather than to the plane as a key it does not know.
TEST_F(AccessibilityTest, EachPlaneIsReachedFromTheKeyboard) {
    trigger("View", "Go to Range");
    EXPECT_EQ(window->focusWidget(), rangePane());
    trigger("View", "Go to Domain");
    EXPECT_EQ(window->focusWidget(), domainPane());
    key(domainPane(), Qt::Key_Tab);
    EXPECT_EQ(window->focusWidget(), rangePane());
}

}  // namespace
}  // namespace zw::test
