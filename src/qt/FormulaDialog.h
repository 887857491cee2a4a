#pragma once

#include <QDialog>
#include <memory>
#include <utility>

#include "qt/ButtonSender.h"
#include "qt/LineEditField.h"
#include "qt/WidgetWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zw {

class FormulaController;
struct FormulaError;

// f(z) and its optional inverse, typed as formulas. Each field is checked as it changes: what
// is wrong is said under it and the place is marked in it, and OK waits until both read and
// the inverse undoes f (an inverse that does not is marked whole, with a point where it fails).
// Cancel or Escape leave f as it was; the next opening shows the texts of the f installed last.
class FormulaDialog : public QDialog {
    Q_OBJECT

  public:
    explicit FormulaDialog(FormulaController* controller, QWidget* parent = nullptr);

    // Fills the fields with the formula in use (or the last one confirmed) and shows the dialog.
    void present();

    QLineEdit* formulaField() const { return formulaEdit_; }
    QLineEdit* inverseField() const { return inverseEdit_; }
    QLabel* formulaMessage() const { return formulaMessage_; }
    QLabel* inverseMessage() const { return inverseMessage_; }
    // The parameters found in both fields, as the user types.
    QLabel* parametersLabel() const { return parametersLabel_; }
    QPushButton* okButton() const { return okButton_; }
    // The characters marked as wrong in a field (start, length in the field's text); length 0
    // when nothing is marked.
    std::pair<int, int> marked(const QLineEdit* field) const;

  signals:
    // A formula has been installed (and the dialog closed).
    void confirmed();

  private:
    void check();
    // Shows a field's fault, or clears it; answers whether the field reads.
    bool report(QLineEdit* field, QLabel* message, bool ok, const FormulaError& error);
    void mark(QLineEdit* field, int start, int length);
    void confirm();

    FormulaController* controller_;
    QLineEdit* formulaEdit_;
    QLineEdit* inverseEdit_;
    QLabel* formulaMessage_;
    QLabel* inverseMessage_;
    QLabel* parametersLabel_;
    QPushButton* okButton_;
    LineEditField formulaText_;
    LineEditField inverseText_;
    WidgetWindow window_;
    std::unique_ptr<ButtonSender> okSender_;
    std::pair<int, int> formulaMark_{0, 0};
    std::pair<int, int> inverseMark_{0, 0};
};

}  // namespace zw
