#include "qt/ViewMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace zw {

ViewMenu::ViewMenu(QMenuBar* bar, QObject* parent)
    : QObject(parent), menu_(bar->addMenu(QStringLiteral("&View"))) {}

QAction* ViewMenu::addToggle(const QString& text, const QString& statusTip, bool checked,
                             std::function<void(bool)> changed) {
    QAction* item = menu_->addAction(text);
    item->setCheckable(true);
    item->setChecked(checked);
    item->setStatusTip(statusTip);
    connect(item, &QAction::toggled, this,
            [changed = std::move(changed)](bool on) { changed(on); });
    return item;
}

}  // namespace zw
