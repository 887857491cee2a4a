#pragma once

#include <QObject>
#include <QSize>
#include <QString>
#include <string>

#include "app/Preferences.h"

namespace zw {

class MainWindow;
class MenuBuilder;

// The window's side of the remembered settings: they are read from the application's settings
// (QSettings) when the window is made, the options the user chooses in the menus are kept as
// they are chosen, and the window's size and split when it closes. What the settings are and
// their defaults is the core's Preferences.
class WindowPreferences : public QObject {
    Q_OBJECT

  public:
    explicit WindowPreferences(MainWindow* window);

    const Preferences& preferences() const { return preferences_; }
    QSize windowSize() const;
    // The domain's share of the planes' width.
    double splitterShare() const;

    // Once the menus are made and the planes woken: the remembered options are set through
    // their items, as if chosen, and from then on each choice is kept.
    void applyOptions(MenuBuilder& menus);
    // The remembered options set again (New starts as a window would start now).
    void applyRemembered();
    // The window closes: its size and split are kept.
    void keepWindowShape();
    // The folder Export Picture... starts in: where the last picture went, if it still exists.
    QString exportFolder() const;
    void exportedTo(const QString& picture);

    // Every setting back to its default, for the next run too; asks first when the planes would
    // change. False if the user cancels.
    bool reset();
    // --reset-settings: every remembered setting is forgotten before the window is made.
    static void forgetStored();

  private:
    // What the menus show for an option now.
    std::string shownValue(const Preferences::Setting& setting) const;
    void applyOption(const Preferences::Setting& setting);
    void remember(const char* key, const std::string& value);

    MainWindow* window_;
    MenuBuilder* menus_ = nullptr;
    Preferences preferences_;
    // Options are being set from the preferences, not chosen.
    bool applying_ = false;
};

}  // namespace zw
