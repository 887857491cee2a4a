#include "qt/ShapeDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "platform/Translatable.h"
#include "qt/Translation.h"
#include "views/ShapeInput.h"
#include "views/ShapeSampler.h"

namespace zw {

namespace {

std::string text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

}  // namespace

ShapeDialog::ShapeDialog(Kind kind, QWidget* parent) : QDialog(parent), kind_(kind) {
    const bool circle = kind == Kind::Circle;
    setWindowTitle(circle ? QCoreApplication::translate("zw::ShapeDialog", "Add Circle")
                          : QCoreApplication::translate("zw::ShapeDialog", "Add Line"));
    setObjectName(circle ? QStringLiteral("addCircle") : QStringLiteral("addLine"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const std::vector<std::pair<QString, QString>> labels =
        circle
            ? std::vector<std::pair<QString, QString>>{{QCoreApplication::translate(
                                                            "zw::ShapeDialog", "Centre, real part"),
                                                        QStringLiteral("0")},
                                                       {QCoreApplication::translate(
                                                            "zw::ShapeDialog",
                                                            "Centre, imaginary part"),
                                                        QStringLiteral("0")},
                                                       {QCoreApplication::translate(
                                                            "zw::ShapeDialog", "Radius"),
                                                        QStringLiteral("1")}}
            : std::vector<std::pair<QString, QString>>{
                  {QCoreApplication::translate("zw::ShapeDialog", "Start, real part"),
                   QStringLiteral("-1")},
                  {QCoreApplication::translate("zw::ShapeDialog", "Start, imaginary part"),
                   QStringLiteral("0")},
                  {QCoreApplication::translate("zw::ShapeDialog", "End, real part"),
                   QStringLiteral("1")},
                  {QCoreApplication::translate("zw::ShapeDialog", "End, imaginary part"),
                   QStringLiteral("0")}};
    for (const auto& [label, initial] : labels) {
        auto* edit = new QLineEdit(initial, this);
        edit->setAccessibleName(label);
        form->addRow(label, edit);
        fields_.push_back(edit);
        connect(edit, &QLineEdit::textChanged, this, &ShapeDialog::check);
    }
    layout->addLayout(form);
    problem_ = new QLabel(this);
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b00000"));
    layout->addWidget(problem_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, [this] {
        if (acceptable()) {
            accept();
            emit confirmed();
        }
    });
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    check();
}

bool ShapeDialog::acceptable() const {
    return buttons_->button(QDialogButtonBox::Ok)->isEnabled();
}

void ShapeDialog::check() {
    std::string error;
    if (kind_ == Kind::Circle) {
        ShapeInput::readCircle(text(fields_[0]), text(fields_[1]), text(fields_[2]), error);
    } else {
        ShapeInput::readLine(text(fields_[0]), text(fields_[1]), text(fields_[2]), text(fields_[3]),
                             error);
    }
    problem_->setText(translation::shown(i18n::kFields, error));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(error.empty());
}

std::vector<CGPoint> ShapeDialog::points(double unitsPerPlaneUnit) const {
    std::string error;
    if (kind_ == Kind::Circle) {
        if (const auto c = ShapeInput::readCircle(text(fields_[0]), text(fields_[1]),
                                                  text(fields_[2]), error)) {
            return ShapeSampler::circle(c->centre, c->radius, unitsPerPlaneUnit);
        }
    } else if (const auto l = ShapeInput::readLine(text(fields_[0]), text(fields_[1]),
                                                   text(fields_[2]), text(fields_[3]), error)) {
        return ShapeSampler::line(l->from, l->to, unitsPerPlaneUnit);
    }
    return {};
}

}  // namespace zw
