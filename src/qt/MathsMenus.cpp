// The menu items that make the pictures mathematically true, kept apart from the window's
// own menus: images followed near poles, exact circles and lines, shading colours and redrawing the
// images under the current function.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "qt/MainWindow.h"
#include "qt/ShapeDialog.h"
#include "views/DomainView.h"

namespace zw {

void MainWindow::buildMathsMenus() {
    // Runs after the View menu is made; should it be missing, the item makes it.
    QMenu* viewMenu = menu(QStringLiteral("View"));
    if (viewMenu == nullptr) {
        viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    }
    QAction* follow = addLogicAction(
        viewMenu, QStringLiteral("Follow Curves Near Poles"),
        [this](Sender* s) { controller_.toggleFollowCurvesNearPoles(s); }, true);
    // An opened session may turn it on or off; the mark follows.
    initialStates_.emplace_back(follow, [this] { return controller_.followCurvesNearPoles; });
    if (QMenu* editMenu = menu(QStringLiteral("Edit"))) {
        // Above the history's removal items, which stay last in the menu.
        QAction* before = nullptr;
        for (QAction* item : editMenu->actions()) {
            if (item->text() == QStringLiteral("Remove Last Path")) {
                before = item;
            }
        }
        for (ShapeDialog::Kind kind : {ShapeDialog::Kind::Circle, ShapeDialog::Kind::Line}) {
            auto* dialog = new ShapeDialog(kind, this);
            connect(dialog, &ShapeDialog::confirmed, this, [this, dialog] {
                // A shape is a path like a drawn one: not while one is being drawn.
                if (!controller_.canChangePathHistory()) {
                    return;
                }
                domain_->addExactPath(
                    dialog->points(static_cast<double>(100.0f * domain_->scaleFactor)));
                afterAction();
                activateWindow();
            });
            auto* item = new QAction(dialog->windowTitle() + QStringLiteral("..."), editMenu);
            editMenu->insertAction(before, item);
            connect(item, &QAction::triggered, dialog, [dialog] {
                dialog->show();
                dialog->raise();
                dialog->activateWindow();
            });
            connect(editMenu, &QMenu::aboutToShow, item,
                    [this, item] { item->setEnabled(controller_.canChangePathHistory()); });
        }
        editMenu->insertSeparator(before);
    }
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
            initialStates_.emplace_back(
                item, [this, scheme = scheme] { return domain_->shadingColours == scheme; });
        }
    }
    if (QMenu* rangeMenu = menu(QStringLiteral("Range"))) {
        rangeMenu->addSeparator();
        addLogicAction(rangeMenu, QStringLiteral("Redraw Images Under Current Function"),
                       [this](Sender* s) { controller_.redrawImagesUnderCurrentFunction(s); });
    }
}

}  // namespace zw
