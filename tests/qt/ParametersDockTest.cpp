#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "WindowTest.h"
#include "app/Parameters.h"
#include "qt/FormulaDialog.h"
#include "qt/MenuBuilder.h"
#include "qt/ParametersDock.h"

namespace zw::test {
namespace {

class ParametersDockTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        // The values live with the engine, process-wide.
        parameters().reset();
    }
    Parameters& parameters() { return const_cast<Workbench&>(window->workbench()).parameters; }
    ParametersDock* dock() const { return window->parametersDock(); }
    void typeFormula(const QString& f, const QString& inverse = QString()) {
        trigger("Function", "Formula...");
        window->formulaDialog()->formulaField()->setText(f);
        window->formulaDialog()->inverseField()->setText(inverse);
        window->formulaDialog()->okButton()->click();
        settle();
    }
    // A drag of the slider from press to release through `positions`.
    void slide(QSlider* slider, std::initializer_list<int> positions) {
        slider->setSliderDown(true);
        for (int p : positions) {
            slider->setValue(p);
        }
        settle();
        slider->setSliderDown(false);
        settle();
    }
};

TEST_F(ParametersDockTest, AppearsWithAFormulasParametersAndFollowsTheMenu) {
    ASSERT_FALSE(dock()->isVisible());
    trigger("Function", "Formula...");
    FormulaDialog* dialog = window->formulaDialog();
    dialog->formulaField()->setText(QStringLiteral("exp(a z) + k az"));
    EXPECT_EQ(dialog->parametersLabel()->text(), QStringLiteral("a, k, az"));
    dialog->formulaField()->setText(QStringLiteral("z^2"));
    EXPECT_EQ(dialog->parametersLabel()->text(), QStringLiteral("none"));
    dialog->formulaField()->setText(QStringLiteral("(z - a)/(1 - a z)"));
    dialog->inverseField()->setText(QStringLiteral("(w + a)/(1 + a w)"));
    ASSERT_TRUE(dialog->okButton()->isEnabled());
    dialog->okButton()->click();
    settle();

    EXPECT_TRUE(dock()->isVisible());
    QAction* item = action("View", "Parameters");
    EXPECT_TRUE(item->isChecked());
    ASSERT_NE(dock()->slider(QStringLiteral("a")), nullptr);
    EXPECT_EQ(dock()->valueField(QStringLiteral("a"))->text(), QStringLiteral("0.5"));
    EXPECT_EQ(dock()->minField(QStringLiteral("a"))->text(), QStringLiteral("-2"));
    EXPECT_EQ(dock()->slider(QStringLiteral("a"))->value(), 625);
    item->trigger();
    EXPECT_FALSE(dock()->isVisible());
    item->trigger();
    EXPECT_TRUE(dock()->isVisible());

    // A function without parameters leaves nothing to show.
    trigger("Function", "Square");
    settle();
    EXPECT_FALSE(dock()->isVisible());
    EXPECT_EQ(dock()->slider(QStringLiteral("a")), nullptr);
}

TEST_F(ParametersDockTest, ASlideMovesTheRangeAndUndoesInOneStep) {
    typeFormula(QStringLiteral("z + a"));
    QSlider* slider = dock()->slider(QStringLiteral("a"));
    ASSERT_NE(slider, nullptr);
    const QImage before = rangePane()->image().copy();
    slide(slider, {700, 800, 1000});
    EXPECT_EQ(parameters().parameter("a")->value, std::complex<double>(2.0, 0.0));
    EXPECT_EQ(dock()->valueField(QStringLiteral("a"))->text(), QStringLiteral("2"));
    EXPECT_GT(changedPixels(before, rangePane()->image()), 100) << "the grid images moved";
    QAction* undo = window->menus()->action("edit.undo");
    ASSERT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("Undo Change a"));
    undo->trigger();
    settle();
    EXPECT_EQ(parameters().parameter("a")->value, std::complex<double>(0.5, 0.0));
    EXPECT_EQ(slider->value(), 625);
    EXPECT_EQ(changedPixels(before, rangePane()->image()), 0);
}

TEST_F(ParametersDockTest, TypedValuesAndRangesReadInTheCLocale) {
    typeFormula(QStringLiteral("z + a"));
    struct Case {
        const char* typed;
        std::complex<double> value;  // what a has afterwards
        bool message;
    };
    const Case cases[] = {
        {"1.25", {1.25, 0}, false},
        {"1,5", {1.25, 0}, true},      // no comma for a point, whatever the locale
        {"z", {1.25, 0}, true},        // a number, not a formula in z
        {"7", {7, 0}, false},          // outside the range: kept
        {"1.5-2i", {1.5, -2}, false},  // makes a complex
    };
    for (const Case& c : cases) {
        QLineEdit* field = dock()->valueField(QStringLiteral("a"));
        ASSERT_NE(field, nullptr) << c.typed;
        field->setText(QString::fromLatin1(c.typed));
        emit field->editingFinished();
        settle();
        EXPECT_EQ(parameters().parameter("a")->value, c.value) << c.typed;
        EXPECT_EQ(!dock()->message(QStringLiteral("a"))->isHidden(), c.message) << c.typed;
    }
    EXPECT_TRUE(dock()->complexBox(QStringLiteral("a"))->isChecked());
    EXPECT_NE(dock()->imaginarySlider(QStringLiteral("a")), nullptr);
    EXPECT_EQ(dock()->valueField(QStringLiteral("a"))->text(), QStringLiteral("1.5-2i"));

    QLineEdit* max = dock()->maxField(QStringLiteral("a"));
    max->setText(QStringLiteral("10"));
    emit max->editingFinished();
    settle();
    EXPECT_EQ(parameters().parameter("a")->max, 10.0);
    max->setText(QStringLiteral("-2"));
    emit max->editingFinished();
    settle();
    EXPECT_EQ(parameters().parameter("a")->max, 10.0) << "an empty range is refused";
}

TEST_F(ParametersDockTest, PlayRunsAndStopsAsOneStep) {
    typeFormula(QStringLiteral("z + a"));
    dock()->speedBox(QStringLiteral("a"))->setValue(2.0);
    QToolButton* play = dock()->playButton(QStringLiteral("a"));
    play->click();
    EXPECT_EQ(dock()->playing(), QStringLiteral("a"));
    settle(300);
    EXPECT_NE(parameters().parameter("a")->value, std::complex<double>(0.5, 0.0));
    EXPECT_TRUE(parameters().sliding());
    play->click();
    settle();
    EXPECT_TRUE(dock()->playing().isEmpty());
    EXPECT_FALSE(parameters().sliding());
    EXPECT_EQ(window->menus()->action("edit.undo")->text(), QStringLiteral("Undo Change a"));
    const auto stopped = parameters().parameter("a")->value;
    settle(100);
    EXPECT_EQ(parameters().parameter("a")->value, stopped) << "stopped means stopped";
}

TEST_F(ParametersDockTest, TheMorphPutsTOnThePanel) {
    QAction* morph = action("Function", "Morph from Identity");
    ASSERT_TRUE(morph->isCheckable());
    EXPECT_FALSE(morph->isChecked());
    morph->trigger();
    settle();
    EXPECT_TRUE(morph->isChecked());
    EXPECT_TRUE(dock()->isVisible());
    QSlider* t = dock()->slider(QStringLiteral("t"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->value(), ParametersDock::kSteps);
    const QImage atF = rangePane()->image().copy();
    slide(t, {0});
    EXPECT_GT(changedPixels(atF, rangePane()->image()), 100);
    morph->trigger();
    settle();
    EXPECT_FALSE(morph->isChecked());
    EXPECT_FALSE(dock()->isVisible());
}

}  // namespace
}  // namespace zw::test
