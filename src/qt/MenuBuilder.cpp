#include "qt/MenuBuilder.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QStringList>

#include "app/Workbench.h"
#include "platform/Translatable.h"
#include "qt/MenuItemSender.h"
#include "qt/Translation.h"

namespace zw {

namespace {

QKeySequence::StandardKey qtKey(StandardKey key) {
    switch (key) {
        case StandardKey::New:
            return QKeySequence::New;
        case StandardKey::Open:
            return QKeySequence::Open;
        case StandardKey::Save:
            return QKeySequence::Save;
        case StandardKey::SaveAs:
            return QKeySequence::SaveAs;
        case StandardKey::Quit:
            return QKeySequence::Quit;
        case StandardKey::Undo:
            return QKeySequence::Undo;
        case StandardKey::Redo:
            return QKeySequence::Redo;
        case StandardKey::ZoomIn:
            return QKeySequence::ZoomIn;
        case StandardKey::ZoomOut:
            return QKeySequence::ZoomOut;
        case StandardKey::None:
            break;
    }
    return QKeySequence::UnknownKey;
}

// The desktop's binding where it has one; without a desktop theme Qt knows none for some keys,
// and the command's own keys stand in.
QList<QKeySequence> keysOf(const Command& command) {
    if (command.standard != StandardKey::None) {
        const QList<QKeySequence> bound = QKeySequence::keyBindings(qtKey(command.standard));
        if (!bound.isEmpty()) {
            return command.everyBinding ? bound : QList<QKeySequence>{bound.front()};
        }
    }
    if (command.keys.empty()) {
        return {};
    }
    return {
        QKeySequence::fromString(QString::fromStdString(command.keys), QKeySequence::PortableText)};
}

// A catalogue function's item: its title is the function's name, in sessions too, and stays as
// it is in every language; its tip is the catalogue's.
bool isCatalogueItem(const Command& command) {
    return command.id.rfind(command::kFunctionPrefix, 0) == 0;
}

QString titleOf(const Command& command) {
    return isCatalogueItem(command) ? QString::fromStdString(command.title)
                                    : translation::shown(i18n::kCommands, command.title);
}

QString tipOf(const Command& command) {
    return translation::shown(isCatalogueItem(command) ? i18n::kFunctions : i18n::kCommands,
                              command.tip);
}

// "Domain > Path Colour > Black" as the menus show it.
QString placeShown(const Command& command) {
    QString place;
    for (const Command* at = &command; at != nullptr; at = findCommand(at->menu)) {
        const QString title = QString::fromStdString(plainTitle(titleOf(*at).toStdString()));
        place = place.isEmpty() ? title : title + QStringLiteral(" > ") + place;
    }
    return place;
}

}  // namespace

MenuBuilder::MenuBuilder(QMenuBar* bar, Workbench& workbench, std::function<void()> afterAction,
                         QObject* parent)
    : QObject(parent), workbench_(workbench), afterAction_(std::move(afterAction)) {
    for (const Command* command : inMenuOrder()) {
        const QString title = titleOf(*command);
        QMenu* in = command->menu.empty() ? nullptr : menus_.at(command->menu);
        if (in != nullptr && command->separatorBefore) {
            in->addSeparator();
        }
        if (command->kind == Command::Kind::Item) {
            addItem(*command, in);
            continue;
        }
        QMenu* made = in == nullptr ? bar->addMenu(title) : in->addMenu(title);
        menus_.emplace(command->id, made);
        actions_.emplace(command->id, made->menuAction());
        if (in == nullptr) {
            // A state may change without an action or event of the window's (a dialog's
            // confirmation, a timer): the menu shows it as it is.
            connect(made, &QMenu::aboutToShow, this, &MenuBuilder::refresh);
        }
    }
}

MenuBuilder::~MenuBuilder() = default;

void MenuBuilder::addItem(const Command& command, QMenu* in) {
    QAction* item = in->addAction(titleOf(command));
    item->setStatusTip(tipOf(command));
    item->setShortcuts(keysOf(command));
    item->setCheckable(command.mark != Mark::None);
    item->setChecked(command.startsChecked);
    if (command.mark == Mark::Group) {
        auto [at, added] = groups_.try_emplace(command.group, nullptr);
        if (added) {
            at->second = new QActionGroup(this);
            at->second->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
        }
        at->second->addAction(item);
    }
    actions_.emplace(command.id, item);
    auto sender = std::make_unique<MenuItemSender>(item);
    Sender* itemSender = sender.get();
    senders_.emplace(command.id, std::move(sender));
    if (!command.run) {
        return;
    }
    connect(item, &QAction::triggered, this, [this, item, itemSender, &command] {
        if (command.mark == Mark::Logic) {
            // The logic reads the state from before the click and sets the new one itself.
            const QSignalBlocker blocker(item);
            item->setChecked(!item->isChecked());
        }
        command.run(workbench_, itemSender);
        afterAction_();
    });
}

QAction* MenuBuilder::action(std::string_view id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

QMenu* MenuBuilder::menu(std::string_view id) const {
    const auto found = menus_.find(id);
    return found == menus_.end() ? nullptr : found->second;
}

Sender* MenuBuilder::sender(std::string_view id) const {
    const auto found = senders_.find(id);
    return found == senders_.end() ? nullptr : found->second.get();
}

void MenuBuilder::refresh() {
    for (const Command& command : commands()) {
        QAction* item = action(command.id);
        if (command.liveTitle) {
            item->setText(translation::shown(i18n::kCommands, command.liveTitle(workbench_)));
        }
        if (command.enabled) {
            item->setEnabled(command.enabled(workbench_));
        }
        if (command.checked) {
            item->setChecked(command.checked(workbench_));
        }
    }
}

std::vector<MenuBuilder::Shortcut> MenuBuilder::shortcuts() const {
    std::vector<Shortcut> list;
    for (const Command* command : inMenuOrder()) {
        const QAction* item = action(command->id);
        if (command->kind != Command::Kind::Item || item->shortcuts().isEmpty()) {
            continue;
        }
        QStringList keys;
        for (const QKeySequence& key : item->shortcuts()) {
            keys << key.toString(QKeySequence::NativeText);
        }
        list.push_back({keys.join(QStringLiteral(", ")), placeShown(*command)});
    }
    return list;
}

}  // namespace zw
