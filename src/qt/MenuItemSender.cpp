#include "qt/MenuItemSender.h"

#include <QAction>

namespace zw {

QString MenuItemSender::withoutAccelerators(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            // "&&" is a literal ampersand; a lone '&' only marks the next letter.
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                plain += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        plain += text[i];
    }
    return plain;
}

std::string MenuItemSender::title() const {
    // Some desktops' themes put accelerators into every item's text; the logic chooses the
    // function by the title the user reads.
    return withoutAccelerators(action_->text()).toStdString();
}

int MenuItemSender::state() const {
    return action_->isChecked() ? 1 : 0;
}

void MenuItemSender::setState(int state) {
    action_->setChecked(state != 0);
}

}  // namespace zw
