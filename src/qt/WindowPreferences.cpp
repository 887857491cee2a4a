#include "qt/WindowPreferences.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QSettings>
#include <QSplitter>

#include "platform/Alerts.h"
#include "qt/MainWindow.h"
#include "qt/MenuBuilder.h"

namespace zw {

namespace {

// The core's key/value store over the application's settings file.
class SettingsStore final : public PreferenceStore {
  public:
    std::optional<std::string> read(const std::string& key) const override {
        const QString name = QString::fromStdString(key);
        if (!settings_.contains(name)) {
            return std::nullopt;
        }
        // A list or a number typed into the file reads as some text, which the core checks.
        return settings_.value(name).toString().toStdString();
    }
    void write(const std::string& key, const std::string& value) override {
        settings_.setValue(QString::fromStdString(key), QString::fromStdString(value));
    }
    void remove(const std::string& key) override { settings_.remove(QString::fromStdString(key)); }

  private:
    mutable QSettings settings_;
};

QSplitter* splitterOf(MainWindow* window) {
    return qobject_cast<QSplitter*>(window->centralWidget());
}

}  // namespace

WindowPreferences::WindowPreferences(MainWindow* window)
    : QObject(window), window_(window), preferences_(Preferences::load(SettingsStore())) {}

QSize WindowPreferences::windowSize() const {
    const Preferences::Size size = preferences_.size(preference::kWindowSize);
    return {size.width, size.height};
}

double WindowPreferences::splitterShare() const {
    return preferences_.fraction(preference::kSplitter);
}

std::string WindowPreferences::shownValue(const Preferences::Setting& setting) const {
    if (setting.kind == Preferences::Kind::Flag) {
        return Preferences::flagText(menus_->action(setting.commands.front())->isChecked());
    }
    for (const std::string& command : setting.commands) {
        if (menus_->action(command)->isChecked()) {
            return Preferences::choiceOf(setting, command);
        }
    }
    return {};
}

void WindowPreferences::applyOption(const Preferences::Setting& setting) {
    const std::string wanted = preferences_.value(setting.key);
    if (shownValue(setting) == wanted) {
        return;
    }
    // Through the item, as a click would: the planes, the marks and the readouts follow.
    const std::string command = setting.kind == Preferences::Kind::Flag
                                    ? setting.commands.front()
                                    : Preferences::commandOf(setting, wanted);
    menus_->action(command)->trigger();
}

void WindowPreferences::applyRemembered() {
    if (menus_ == nullptr) {
        return;
    }
    // The marks as the core has them now (New may just have changed the options).
    menus_->refresh();
    applying_ = true;
    for (const Preferences::Setting& setting : Preferences::settings()) {
        if (!setting.commands.empty()) {
            applyOption(setting);
        }
    }
    applying_ = false;
}

void WindowPreferences::applyOptions(MenuBuilder& menus) {
    menus_ = &menus;
    applyRemembered();
    for (const Preferences::Setting& setting : Preferences::settings()) {
        for (const std::string& command : setting.commands) {
            // After the item's own action: the mark shows the option as it now is.
            connect(menus.action(command), &QAction::triggered, this, [this, &setting] {
                if (!applying_) {
                    remember(setting.key, shownValue(setting));
                }
            });
        }
    }
}

void WindowPreferences::remember(const char* key, const std::string& value) {
    if (preferences_.set(key, value)) {
        SettingsStore store;
        preferences_.save(store, key);
    }
}

void WindowPreferences::keepWindowShape() {
    const QSize size = window_->isMaximized() || window_->isFullScreen()
                           ? window_->normalGeometry().size()
                           : window_->size();
    remember(preference::kWindowSize, Preferences::sizeText(size.width(), size.height()));
    if (QSplitter* splitter = splitterOf(window_)) {
        const QList<int> sizes = splitter->sizes();
        if (sizes.size() == 2 && sizes[0] + sizes[1] > 0) {
            remember(
                preference::kSplitter,
                Preferences::fractionText(static_cast<double>(sizes[0]) / (sizes[0] + sizes[1])));
        }
    }
}

QString WindowPreferences::exportFolder() const {
    const QString folder = QString::fromStdString(preferences_.value(preference::kExportFolder));
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void WindowPreferences::exportedTo(const QString& picture) {
    remember(preference::kExportFolder, QFileInfo(picture).absolutePath().toStdString());
}

bool WindowPreferences::reset() {
    bool changesPicture = false;
    for (const Preferences::Setting& setting : Preferences::settings()) {
        if (setting.inPicture && menus_ != nullptr && shownValue(setting) != setting.defaultValue) {
            changesPicture = true;
        }
    }
    if (changesPicture &&
        runAlertPanel(tr("Reset all settings?").toStdString(),
                      tr("The view options, Follow Curves Near Poles, the shading colours and "
                         "resolution, the window's size and the export folder go back to how "
                         "zwmap first starts. The paths stay.")
                          .toStdString(),
                      tr("Reset").toStdString(), tr("Cancel").toStdString(),
                      "") != kAlertDefaultReturn) {
        return false;
    }
    forgetStored();
    preferences_ = Preferences();
    applyRemembered();
    window_->showNormal();
    window_->resize(windowSize());
    window_->layout()->activate();
    if (QSplitter* splitter = splitterOf(window_)) {
        const int width = splitter->width() - splitter->handleWidth();
        const double share = splitterShare();
        splitter->setSizes(
            {static_cast<int>(width * share), static_cast<int>(width * (1.0 - share))});
    }
    return true;
}

void WindowPreferences::forgetStored() {
    SettingsStore store;
    Preferences::forget(store);
}

}  // namespace zw
