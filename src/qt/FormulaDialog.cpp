#include "qt/FormulaDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "app/FormulaController.h"
#include "engine/ActiveFunction.h"
#include "engine/FormulaMaps.h"
#include "platform/Translatable.h"
#include "qt/FieldMarks.h"
#include "qt/Translation.h"

namespace zw {

namespace {

// The parser counts columns in characters; a QString counts UTF-16 units.
int indexOfColumn(const QString& text, int column) {
    int index = 0;
    for (int c = 1; c < column && index < text.size(); ++c) {
        index += text.at(index).isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
    }
    return index;
}

}  // namespace

FormulaDialog::FormulaDialog(FormulaController* controller, QWidget* parent)
    : QDialog(parent),
      controller_(controller),
      formulaEdit_(new QLineEdit(this)),
      inverseEdit_(new QLineEdit(this)),
      formulaMessage_(FieldMarks::messageLabel(this)),
      inverseMessage_(FieldMarks::messageLabel(this)),
      parametersLabel_(new QLabel(this)),
      okButton_(new QPushButton(QCoreApplication::translate("zw::FormulaDialog", "OK"), this)),
      formulaText_(formulaEdit_),
      inverseText_(inverseEdit_),
      window_(this) {
    setWindowTitle(QCoreApplication::translate("zw::FormulaDialog", "Formula"));
    auto* layout = new QVBoxLayout(this);
    auto* help =
        new QLabel(QCoreApplication::translate(
                       "zw::FormulaDialog",
                       "Example:  sin(z)^2 + 1/(z-1),  with inverse  i(1+w)/(1-w)\n"
                       "Operators:  + - * / ^     Names:  i  pi  e  x = Re z  y = Im z\n"
                       "Functions:  sin cos tan sinh cosh tanh asin acos atan asinh acosh atanh "
                       "exp log sqrt abs arg conj re im\n"
                       "Any other name is a parameter, set on the Parameters panel: a, k, r1, "
                       "theta. A name is a whole word: az is one parameter; a z, a*z and 2a are "
                       "products; write a*(z+1), as a( would be a function."),
                   this);
    help->setWordWrap(true);
    layout->addWidget(help);

    auto* form = new QFormLayout();
    form->addRow(QStringLiteral("f(z) ="), formulaEdit_);
    form->addRow(QString(), formulaMessage_);
    form->addRow(QCoreApplication::translate("zw::FormulaDialog", "inverse (optional) ="),
                 inverseEdit_);
    form->addRow(QString(), inverseMessage_);
    form->addRow(tr("Parameters:"), parametersLabel_);
    layout->addLayout(form);
    formulaEdit_->setMinimumWidth(formulaEdit_->fontMetrics().averageCharWidth() * 50);
    formulaEdit_->setAccessibleDescription(tr("f as a formula in z, e.g. sin(z)^2 + 1/(z-1)"));
    inverseEdit_->setAccessibleDescription(
        tr("The inverse of f as a formula in w, e.g. i(1+w)/(1-w); empty if you know none"));

    okButton_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(okButton_, QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);

    okSender_ = std::make_unique<ButtonSender>(okButton_, &window_);
    controller_->formula = &formulaText_;
    controller_->inverse = &inverseText_;
    connect(okButton_, &QPushButton::clicked, this, &FormulaDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(formulaEdit_, &QLineEdit::textChanged, this, &FormulaDialog::check);
    connect(inverseEdit_, &QLineEdit::textChanged, this, &FormulaDialog::check);
}

void FormulaDialog::present() {
    // A formula installed by other means (not through this dialog) is the one to show.
    if (engine::active.kind == ActiveFunction::Kind::Formula) {
        controller_->formulaText = engine::active.formula;
        controller_->inverseText = engine::active.inverse;
    }
    formulaEdit_->setText(QString::fromStdString(controller_->formulaText));
    inverseEdit_->setText(QString::fromStdString(controller_->inverseText));
    check();
    show();
    raise();
    activateWindow();
    formulaEdit_->setFocus();
    formulaEdit_->selectAll();
}

std::pair<int, int> FormulaDialog::marked(const QLineEdit* field) const {
    return field == formulaEdit_ ? formulaMark_ : inverseMark_;
}

void FormulaDialog::check() {
    FormulaError formulaError;
    FormulaError inverseError;
    const std::string formula = formulaEdit_->text().toStdString();
    const std::string inverse = inverseEdit_->text().toStdString();
    const bool formulaOk = FormulaController::checkFormula(formula, formulaError);
    bool inverseOk = FormulaController::checkInverse(inverse, inverseError);
    if (formulaOk && inverseOk) {
        inverseOk =
            FormulaController::checkUndoes(formula, inverse, inverseError, engine::formulaValues);
    }
    QStringList names;
    for (const std::string& name : FormulaController::parametersOf(formula, inverse)) {
        names << QString::fromStdString(name);
    }
    parametersLabel_->setText(names.isEmpty() ? tr("none") : names.join(QStringLiteral(", ")));
    report(formulaEdit_, formulaMessage_, formulaOk, formulaError);
    report(inverseEdit_, inverseMessage_, inverseOk, inverseError);
    okButton_->setEnabled(formulaOk && inverseOk);
}

bool FormulaDialog::report(QLineEdit* field, QLabel* message, bool ok, const FormulaError& error) {
    if (ok) {
        message->clear();
        mark(field, 0, 0);
        return true;
    }
    message->setText(translation::shown(i18n::kFields, error.message));
    const QString text = field->text();
    int start = indexOfColumn(text, error.column);
    int end = indexOfColumn(text, error.column + error.length);
    if (start >= text.size()) {
        // At the end (something missing there): mark the last character.
        start = std::max(0, static_cast<int>(text.size()) - 1);
        end = static_cast<int>(text.size());
    }
    mark(field, start, std::max(end - start, 0));
    return false;
}

void FormulaDialog::mark(QLineEdit* field, int start, int length) {
    (field == formulaEdit_ ? formulaMark_ : inverseMark_) = {start, length};
    FieldMarks::mark(field, start, length);
}

void FormulaDialog::confirm() {
    if (controller_->closeWindow(okSender_.get())) {
        emit confirmed();
    } else {
        formulaMessage_->setText(translation::shown(i18n::kFields, controller_->lastError));
    }
}

}  // namespace zw
