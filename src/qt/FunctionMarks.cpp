#include "qt/FunctionMarks.h"

#include <QAction>
#include <QActionGroup>

namespace zw {

void FunctionMarks::addItem(QAction* item, std::string key) {
    items_.emplace_back(item, std::move(key));
}

void FunctionMarks::follow(const ActiveFunction& active) {
    const std::string key =
        active.kind == ActiveFunction::Kind::Formula ? std::string(kFormula) : active.title;
    for (const auto& [item, itemKey] : items_) {
        if (itemKey == key) {
            item->setChecked(true);
            return;
        }
    }
    if (QAction* checked = group_->checkedAction()) {
        checked->setChecked(false);
    }
}

}  // namespace zw
