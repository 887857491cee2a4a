#include "qt/ParameterDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ParameterController.h"

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
        const Field& field = fields[static_cast<std::size_t>(i)];
        auto* edit = new QLineEdit(field.initialText, this);
        edit->setEnabled(field.used);
        auto* label = new QLabel(field.label, this);
        label->setBuddy(edit);
        const int row = i / 2;
        const int column = (i % 2) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        edits_[static_cast<std::size_t>(i)] = edit;
        textFields_[static_cast<std::size_t>(i)] = std::make_unique<LineEditField>(edit);
    }
    layout->addLayout(grid);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(okButton_, QDialogButtonBox::AcceptRole);
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
}

void ParameterDialog::confirm() {
    // The controller closes the dialog itself, through the button's window.
    controller_->closeWindow(okSender_.get());
    emit confirmed();
}

}  // namespace zw
