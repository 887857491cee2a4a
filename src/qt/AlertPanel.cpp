#include "qt/AlertPanel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVariant>

#include "platform/Translatable.h"
#include "qt/Translation.h"

namespace zw {

namespace {

const char* const kAnswerProperty = "zwAlertAnswer";

// The core writes its alerts in English; they are shown in the window's language.
QString toQString(const std::string& text) {
    return translation::shown(i18n::kAlerts, text);
}

// The buttons the core's alerts name.
[[maybe_unused]] const char* const kButtons[] = {
    QT_TRANSLATE_NOOP("zw::Alerts", "OK"),
    QT_TRANSLATE_NOOP("zw::Alerts", "Cancel"),
    QT_TRANSLATE_NOOP("zw::Alerts", "Save"),
    QT_TRANSLATE_NOOP("zw::Alerts", "Discard"),
};

QPushButton* addButton(QMessageBox* box, const std::string& title, QMessageBox::ButtonRole role,
                       int answer) {
    if (title.empty()) {
        return nullptr;
    }
    QPushButton* button = box->addButton(toQString(title), role);
    button->setProperty(kAnswerProperty, answer);
    return button;
}

}  // namespace

AlertHandler AlertPanel::install() {
    return setAlertHandler(&AlertPanel::run);
}

QMessageBox* AlertPanel::makeBox(QWidget* parent, const AlertRequest& request) {
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(toQString(request.title));
    box->setText(toQString(request.title));
    if (!request.message.empty()) {
        box->setInformativeText(toQString(request.message));
        // Message boxes wrap long messages into a narrow column; give them room for a line.
        if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
            grid->addItem(new QSpacerItem(360, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                          grid->rowCount(), 0, 1, grid->columnCount());
        }
    }
    QPushButton* defaultButton =
        addButton(box, request.defaultButton, QMessageBox::AcceptRole, kAlertDefaultReturn);
    QPushButton* alternate =
        addButton(box, request.alternateButton, QMessageBox::RejectRole, kAlertAlternateReturn);
    QPushButton* other =
        addButton(box, request.otherButton, QMessageBox::ActionRole, kAlertOtherReturn);
    if (defaultButton != nullptr) {
        box->setDefaultButton(defaultButton);
    }
    if (alternate != nullptr) {
        box->setEscapeButton(alternate);
    } else if (other != nullptr) {
        box->setEscapeButton(other);
    } else if (defaultButton != nullptr) {
        box->setEscapeButton(defaultButton);
    }
    return box;
}

int AlertPanel::answer(const QMessageBox& box) {
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr || !clicked->property(kAnswerProperty).isValid()) {
        return kAlertDefaultReturn;
    }
    return clicked->property(kAnswerProperty).toInt();
}

int AlertPanel::run(const AlertRequest& request) {
    QMessageBox* box = makeBox(QApplication::activeWindow(), request);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    const int result = answer(*box);
    delete box;
    return result;
}

}  // namespace zw
