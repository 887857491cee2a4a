// The menu items that make the pictures mathematically true, kept apart from the window's
// own menus: redrawing the images under the current function.
#include <QMenu>

#include "qt/MainWindow.h"

namespace zw {

void MainWindow::buildMathsMenus() {
    if (QMenu* rangeMenu = menu(QStringLiteral("Range"))) {
        rangeMenu->addSeparator();
        addLogicAction(rangeMenu, QStringLiteral("Redraw Images Under Current Function"),
                       [this](Sender* s) { controller_.redrawImagesUnderCurrentFunction(s); });
    }
}

}  // namespace zw
