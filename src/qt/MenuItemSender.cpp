#include "qt/MenuItemSender.h"

#include <QAction>

namespace zw {

std::string MenuItemSender::title() const {
    return action_->text().toStdString();
}

int MenuItemSender::state() const {
    return action_->isChecked() ? 1 : 0;
}

void MenuItemSender::setState(int state) {
    action_->setChecked(state != 0);
}

}  // namespace zw
