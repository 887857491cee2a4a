#include "qt/StatusTips.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QMenuBar>

#include "qt/HelpMenu.h"

namespace zw {

namespace {

// Keyed by the item's text; an entry under "Plane/" serves the Domain and the Range alike.
const QHash<QString, QString>& tips() {
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t = {
            {QStringLiteral("File/Quit"), QStringLiteral("Quit zwmap")},
            {QStringLiteral("Edit/Undo"), QStringLiteral("Undo the last path drawn or removed")},
            {QStringLiteral("Edit/Redo"), QStringLiteral("Redo what was undone")},
            {QStringLiteral("Edit/Remove Last Path"),
             QStringLiteral("Remove the newest path from both planes")},
            {QStringLiteral("Edit/Clear All Paths..."),
             QStringLiteral("Remove every path from both planes, after asking")},
            {QStringLiteral("Plane/Zoom In"), QStringLiteral("Zoom in by 2 about the centre")},
            {QStringLiteral("Plane/Zoom Out"), QStringLiteral("Zoom out by 2 about the centre")},
            {QStringLiteral("Plane/Reset View"),
             QStringLiteral("Scale factor 1 with the origin at the centre")},
            {QStringLiteral("Plane/Show Axis Labels"),
             QStringLiteral("Show the numbers along the axes")},
            {QStringLiteral("Plane/Show Grid"), QStringLiteral("Show this plane's square grid")},
            {QStringLiteral("Domain/Shade by Modulus"),
             QStringLiteral("Shade the domain by the modulus of f(z)")},
            {QStringLiteral("Domain/Shade by Argument"),
             QStringLiteral("Shade the domain by the argument of f(z)")},
            {QStringLiteral("Domain/Highest Resolution"),
             QStringLiteral("Shade in finer boxes (slower)")},
            {QStringLiteral("Domain/Show Path Images in Domain"),
             QStringLiteral("Draw the images of the paths in the domain too")},
            {QStringLiteral("Domain/Show Inverse Images of Range Grid"),
             QStringLiteral("Pull the range's grid back into the domain, where f has an inverse")},
            {QStringLiteral("Range/Show Grid Images"),
             QStringLiteral("Show the images of the domain's grid")},
            {QStringLiteral("Range/Allow Drawing"),
             QStringLiteral("Drawing in the range (not available)")},
            {QStringLiteral("Path Colour/Black"), QStringLiteral("New paths in black")},
            {QStringLiteral("Path Colour/Blue"), QStringLiteral("New paths in blue")},
            {QStringLiteral("Path Colour/Green"), QStringLiteral("New paths in green")},
            {QStringLiteral("Path Colour/Red"), QStringLiteral("New paths in red")},
            {QStringLiteral("Path Colour/Other..."),
             QStringLiteral("Choose a colour for new paths")},
        };
        for (const HelpMenu::Entry& f : HelpMenu::functions()) {
            t.insert(QStringLiteral("Function/") + f.name, f.meaning);
        }
        return t;
    }();
    return table;
}

QString tipFor(const QString& menu, const QString& text) {
    // The Edit items carry the name of the step after their own ("Undo Last Path Drawn").
    QString key = text;
    for (const QString& head : {QStringLiteral("Undo"), QStringLiteral("Redo")}) {
        if (text.startsWith(head)) {
            key = head;
        }
    }
    const QHash<QString, QString>& table = tips();
    const QString own = table.value(menu + QLatin1Char('/') + key);
    if (!own.isEmpty() || (menu != QStringLiteral("Domain") && menu != QStringLiteral("Range"))) {
        return own;
    }
    return table.value(QStringLiteral("Plane/") + key);
}

void addTips(QMenu* menu, const QString& title) {
    for (QAction* item : menu->actions()) {
        const QString text = item->text().remove(QLatin1Char('&'));
        if (item->menu() != nullptr) {
            addTips(item->menu(), text);
        } else if (item->statusTip().isEmpty() && !item->isSeparator()) {
            item->setStatusTip(tipFor(title, text));
        }
    }
}

}  // namespace

void addStatusTips(QMenuBar* bar) {
    for (QAction* top : bar->actions()) {
        if (top->menu() != nullptr) {
            addTips(top->menu(), top->text().remove(QLatin1Char('&')));
        }
    }
}

}  // namespace zw
