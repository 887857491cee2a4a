#pragma once

class QMenuBar;

namespace zw {

// Gives the menu items a line of help, shown in the status bar while an item is highlighted.
// Items that already have a tip keep it.
void addStatusTips(QMenuBar* bar);

}  // namespace zw
