// The menu items that make the pictures mathematically true, kept apart from the window's
// own menus: shading colours and redrawing the images under the current function.
#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "qt/MainWindow.h"
#include "views/DomainView.h"

namespace zw {

void MainWindow::buildMathsMenus() {
    if (QMenu* domainMenu = menu(QStringLiteral("Domain"))) {
        QMenu* colours = domainMenu->addMenu(QStringLiteral("Shading Colours"));
        auto* group = new QActionGroup(colours);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
        const std::pair<QString, ShadingColours> schemes[] = {
            {QStringLiteral("Classic"), ShadingColours::Classic},
            {QStringLiteral("Colour Wheel"), ShadingColours::ColourWheel}};
        for (const auto& [title, scheme] : schemes) {
            QAction* item = addLogicAction(
                colours, title,
                [this, scheme = scheme](Sender*) { domain_->setShadingColours(scheme); }, true);
            group->addAction(item);
            item->setChecked(scheme == ShadingColours::Classic);
        }
    }
    if (QMenu* rangeMenu = menu(QStringLiteral("Range"))) {
        rangeMenu->addSeparator();
        addLogicAction(rangeMenu, QStringLiteral("Redraw Images Under Current Function"),
                       [this](Sender* s) { controller_.redrawImagesUnderCurrentFunction(s); });
    }
}

}  // namespace zw
