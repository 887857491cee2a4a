#pragma once

#include <QObject>
#include <QString>
#include <vector>

class QDialog;
class QMainWindow;
class QMessageBox;

namespace zw {

class MenuBuilder;

// What the Help menu shows: the keys and mouse actions, the functions with their formulas, and
// About.
class HelpMenu : public QObject {
    Q_OBJECT

  public:
    // Takes the actions of the Help items of `menus`, and lists their shortcuts.
    HelpMenu(QMainWindow* window, const MenuBuilder& menus);

    struct Entry {
        QString name;
        QString meaning;
    };
    // What the mouse and the plane keys do, then every menu shortcut as the menus have it now.
    std::vector<Entry> keysAndMouse() const;
    // Each catalogue title with its formula, then the typed maps; each says whether f has an
    // inverse.
    static const std::vector<Entry>& functions();
    static QString aboutText();

    QDialog* keysDialog();
    QDialog* functionsDialog();
    QMessageBox* aboutBox();

  private:
    QDialog* makeTableDialog(const QString& title, const QString& intro,
                             const std::vector<Entry>& entries, const QString& header1,
                             const QString& header2);

    QMainWindow* window_;
    const MenuBuilder& menus_;
    QDialog* keys_ = nullptr;
    QDialog* functions_ = nullptr;
    QMessageBox* about_ = nullptr;
};

}  // namespace zw
