#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/Commands.h"

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace zw {

class MenuItemSender;
class Sender;
class Workbench;

// Makes the menu bar's menus and items from the command table and keeps them in step with the
// core: titles that name the step, check marks and enabled states are read afresh after every
// action and event, and whenever a menu opens.
class MenuBuilder : public QObject {
    Q_OBJECT

  public:
    // `afterAction` runs after each action the table carries out.
    MenuBuilder(QMenuBar* bar, Workbench& workbench, std::function<void()> afterAction,
                QObject* parent);
    ~MenuBuilder() override;

    // The item or menu with this id; every id of the table has one.
    QAction* action(std::string_view id) const;
    QMenu* menu(std::string_view id) const;
    // The item as the sender of its action.
    Sender* sender(std::string_view id) const;

    // Reads the live titles, the marks and the enabled states from the core.
    void refresh();

    struct Shortcut {
        QString keys;   // as the desktop writes them, several joined by ", "
        QString place;  // "Domain > Zoom In"
    };
    // Every item with keys, in menu order.
    std::vector<Shortcut> shortcuts() const;

  private:
    void addItem(const Command& command, QMenu* in);

    Workbench& workbench_;
    std::function<void()> afterAction_;
    std::map<std::string, QAction*, std::less<>> actions_;
    std::map<std::string, QMenu*, std::less<>> menus_;
    std::map<std::string, QActionGroup*, std::less<>> groups_;
    std::map<std::string, std::unique_ptr<MenuItemSender>, std::less<>> senders_;
};

}  // namespace zw
