#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;

namespace zw {

// The View menu: switches for what the window shows beyond the planes' own display options.
// Each item is one call to addToggle.
class ViewMenu : public QObject {
    Q_OBJECT

  public:
    ViewMenu(QMenuBar* bar, QObject* parent);

    QMenu* menu() const { return menu_; }
    // A checkable item starting in `checked`; `changed` gets each new state.
    QAction* addToggle(const QString& text, const QString& statusTip, bool checked,
                       std::function<void(bool)> changed);

  private:
    QMenu* menu_;
};

}  // namespace zw
