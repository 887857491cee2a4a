#include "qt/ParameterDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>
#include <string>

#include "app/ParameterController.h"
#include "platform/Translatable.h"
#include "qt/FieldMarks.h"
#include "qt/Translation.h"

namespace zw {

ParameterDialog::ParameterDialog(const QString& title, const QString& formula,
                                 const std::array<Field, kFieldCount>& fields,
                                 ParameterController* controller, QWidget* parent)
    : QDialog(parent), controller_(controller), window_(this) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(formula, this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);

    auto* grid = new QGridLayout();
    for (int i = 0; i < kFieldCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const Field& field = fields[at];
        auto* edit = new QLineEdit(field.initialText, this);
        edit->setEnabled(field.used);
        auto* label = new QLabel(field.label, this);
        label->setBuddy(edit);
        // A screen reader names the field by its label; the map says what the number is for.
        edit->setAccessibleDescription(formula);
        // Each pair of fields on its row, with a row for their messages under it.
        const int row = (i / 2) * 2;
        const int column = (i % 2) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        messages_[at] = FieldMarks::messageLabel(this);
        // The fields keep their width as messages come and go: each column fits the longest.
        messages_[at]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        grid->setColumnMinimumWidth(column + 1, fontMetrics().averageCharWidth() * 30);
        grid->setColumnStretch(column + 1, 1);
        grid->addWidget(messages_[at], row + 1, column + 1);
        edits_[at] = edit;
        used_[at] = field.used;
        opened_[at] = field.initialText;
        textFields_[at] = std::make_unique<LineEditField>(edit);
        connect(edit, &QLineEdit::textChanged, this, &ParameterDialog::check);
    }
    layout->addLayout(grid);
    mapMessage_ = FieldMarks::messageLabel(this);
    layout->addWidget(mapMessage_);

    okButton_ = new QPushButton(QCoreApplication::translate("zw::ParameterDialog", "OK"), this);
    okButton_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(okButton_, QDialogButtonBox::AcceptRole);
    cancelButton_ = buttons->addButton(QDialogButtonBox::Cancel);
    cancelButton_->setAutoDefault(false);
    layout->addWidget(buttons);

    okSender_ = std::make_unique<ButtonSender>(okButton_, &window_);
    controller_->aR = textFields_[0].get();
    controller_->aI = textFields_[1].get();
    controller_->bR = textFields_[2].get();
    controller_->bI = textFields_[3].get();
    controller_->cR = textFields_[4].get();
    controller_->cI = textFields_[5].get();
    controller_->dR = textFields_[6].get();
    controller_->dI = textFields_[7].get();
    connect(okButton_, &QPushButton::clicked, this, &ParameterDialog::confirm);
    connect(cancelButton_, &QPushButton::clicked, this, &ParameterDialog::reject);
    check();
}

void ParameterDialog::showCoefficients(const std::array<QString, kFieldCount>& texts) {
    opened_ = texts;
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        edits_[i]->setText(texts[i]);
    }
}

void ParameterDialog::showEvent(QShowEvent* event) {
    // What Cancel goes back to: the texts as they were when the dialog came up.
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        opened_[i] = edits_[i]->text();
    }
    check();
    QDialog::showEvent(event);
}

void ParameterDialog::check() {
    bool allRead = true;
    std::array<float, kFieldCount> numbers{};
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        std::string error;
        std::optional<float> number;
        // A field the map does not read is never wrong.
        if (used_[i]) {
            number = ParameterController::checkField(edits_[i]->text().toStdString(), error);
        }
        messages_[i]->setText(translation::shown(i18n::kFields, error));
        // The whole text is wrong: a number reads whole or not at all.
        const int length = error.empty() ? 0 : static_cast<int>(edits_[i]->text().size());
        marked_[i] = length > 0;
        FieldMarks::mark(edits_[i], 0, length);
        allRead = allRead && error.empty();
        numbers[i] = number.value_or(0.0f);
    }
    std::string mapError;
    const bool mapOk = allRead && controller_->checkMap(numbers, mapError);
    mapMessage_->setText(translation::shown(i18n::kFields, mapError));
    okButton_->setEnabled(allRead && mapOk);
}

void ParameterDialog::reject() {
    // A hidden dialog may have been given a session's numbers since it was last open.
    if (isVisible()) {
        for (std::size_t i = 0; i < edits_.size(); ++i) {
            edits_[i]->setText(opened_[i]);
        }
    }
    QDialog::reject();
}

void ParameterDialog::confirm() {
    // Return reaches here only through an enabled OK; a call from elsewhere is checked too.
    if (!okButton_->isEnabled()) {
        return;
    }
    // The texts that Cancel would put back are now the confirmed ones: the controller closes
    // the dialog itself, through the button's window, and a close is a reject.
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        opened_[i] = edits_[i]->text();
    }
    controller_->closeWindow(okSender_.get());
    emit confirmed();
}

}  // namespace zw
