#include "qt/FunctionMarks.h"

#include <QAction>
#include <QActionGroup>
#include <QWidget>

#include "engine/FunctionName.h"

namespace zw {

void FunctionMarks::addItem(QAction* item, std::string key) {
    items_.emplace_back(item, std::move(key));
}

QString FunctionMarks::windowTitle(const ActiveFunction& active) {
    // A catalogue function or a typed map is named by its checked menu item; a formula only
    // by its text.
    if (active.kind != ActiveFunction::Kind::Formula) {
        return QStringLiteral("zwmap");
    }
    return QStringLiteral("zwmap — ") + QString::fromStdString(functionDisplayName(active));
}

void FunctionMarks::follow(const ActiveFunction& active) {
    const std::string key =
        active.kind == ActiveFunction::Kind::Formula ? std::string(kFormula) : active.title;
    QAction* current = nullptr;
    for (const auto& [item, itemKey] : items_) {
        if (itemKey == key) {
            current = item;
        }
    }
    if (current != nullptr) {
        current->setChecked(true);
    } else if (QAction* checked = group_->checkedAction()) {
        checked->setChecked(false);
    }
    window_->setWindowTitle(windowTitle(active));
}

}  // namespace zw
