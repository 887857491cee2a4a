#include "qt/ButtonSender.h"

#include <QAbstractButton>

namespace zw {

std::string ButtonSender::title() const {
    return button_->text().toStdString();
}

int ButtonSender::state() const {
    return button_->isChecked() ? 1 : 0;
}

void ButtonSender::setState(int state) {
    button_->setChecked(state != 0);
}

}  // namespace zw
