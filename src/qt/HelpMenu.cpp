#include "qt/HelpMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtGlobal>

#include "app/Commands.h"
#include "engine/Catalogue.h"
#include "platform/Translatable.h"
#include "qt/MenuBuilder.h"
#include "qt/Translation.h"

#ifndef ZW_VERSION
#define ZW_VERSION "unknown"
#endif

namespace zw {

namespace {

void showAndRaise(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

}  // namespace

HelpMenu::HelpMenu(QMainWindow* window, const MenuBuilder& menus)
    : QObject(window), window_(window), menus_(menus) {
    connect(menus.action(command::kKeysAndMouse), &QAction::triggered, this,
            [this] { showAndRaise(keysDialog()); });
    connect(menus.action(command::kFunctions), &QAction::triggered, this,
            [this] { showAndRaise(functionsDialog()); });
    QAction* about = menus.action(command::kAbout);
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, [this] { aboutBox()->open(); });
}

std::vector<HelpMenu::Entry> HelpMenu::keysAndMouse() const {
    std::vector<Entry> entries = {
        {QCoreApplication::translate("zw::HelpMenu", "Left drag in the domain"),
         QCoreApplication::translate(
             "zw::HelpMenu", "Draws a path; its image under f is drawn in the range as you go")},
        {tr("Left drag in the range"),
         tr("With Range > Allow Drawing on: draws a path in w; its preimages on every branch are "
            "drawn in the domain as you go")},
        {QCoreApplication::translate("zw::HelpMenu", "Wheel, or Ctrl+wheel"),
         QCoreApplication::translate(
             "zw::HelpMenu",
             "Zooms the plane under the pointer by 2 per notch, about the pointer")},
        {QCoreApplication::translate("zw::HelpMenu", "Middle or right drag"),
         QCoreApplication::translate("zw::HelpMenu",
                                     "Pans the plane under the pointer by the distance dragged")},
        {QCoreApplication::translate("zw::HelpMenu", "Pointer over a plane"),
         QCoreApplication::translate(
             "zw::HelpMenu",
             "The status bar shows z and f(z), or w and f⁻¹(w) where f has an "
             "inverse; while no button is held a ring marks the image in the other "
             "plane (View > Linked Cursor)")},
        {QCoreApplication::translate("zw::HelpMenu", "Click in a plane"),
         QCoreApplication::translate("zw::HelpMenu", "Gives that plane the keys")},
        {QCoreApplication::translate("zw::HelpMenu", "Arrow keys, or 2, 4, 6, 8"),
         QCoreApplication::translate("zw::HelpMenu", "Pan the plane with the keys by 100 pixels")},
        {QCoreApplication::translate("zw::HelpMenu", "+ (or =) and -, main and keypad"),
         QCoreApplication::translate(
             "zw::HelpMenu", "Zoom the plane with the keys in or out by 2, about its centre")},
        {QCoreApplication::translate("zw::HelpMenu", "Any other key"),
         QCoreApplication::translate(
             "zw::HelpMenu", "Shows the \"Unrecogonised key\" notice in the plane with the keys")},
        {QCoreApplication::translate("zw::HelpMenu", "Alt+letter"),
         QCoreApplication::translate("zw::HelpMenu", "Opens the menu with that underlined letter")},
        {QCoreApplication::translate("zw::HelpMenu", "Return, Escape"),
         QCoreApplication::translate(
             "zw::HelpMenu",
             "In a dialog or notice: OK (or the default button), and Cancel or Close")},
    };
    // The menu shortcuts as the items have them, so that the list cannot go stale.
    for (const MenuBuilder::Shortcut& shortcut : menus_.shortcuts()) {
        entries.push_back({shortcut.keys, shortcut.place});
    }
    return entries;
}

const std::vector<HelpMenu::Entry>& HelpMenu::functions() {
    static const std::vector<Entry> entries = [] {
        std::vector<Entry> list;
        for (const catalogue::Entry& entry : catalogue::functions()) {
            // The titles are the functions' names, in sessions too: never translated.
            list.push_back(
                {QString::fromUtf8(entry.title), translation::shown(i18n::kFunctions, entry.help)});
        }
        // The typed maps and the formula, as their items and tips name them.
        for (const char* id :
             {command::kMobiusMap, command::kPolynomial, command::kAffineMap, command::kFormula}) {
            const Command* typed = findCommand(id);
            list.push_back({translation::shown(i18n::kCommands, typed->title),
                            translation::shown(i18n::kCommands, typed->tip)});
        }
        return list;
    }();
    return entries;
}

QString HelpMenu::aboutText() {
    return QCoreApplication::translate(
               "zw::HelpMenu",
               "<h3>zwmap %1</h3>"
               "<p>Complex functions w = f(z) seen as mappings of the plane.</p>"
               "<p>Built with Qt %2, running on Qt %3.</p>"
               "<p>Licence: MIT.</p>")
        .arg(QStringLiteral(ZW_VERSION), QStringLiteral(QT_VERSION_STR),
             QString::fromLatin1(qVersion()));
}

QDialog* HelpMenu::makeTableDialog(const QString& title, const QString& intro,
                                   const std::vector<Entry>& entries, const QString& header1,
                                   const QString& header2) {
    auto* dialog = new QDialog(window_);
    dialog->setWindowTitle(title);
    auto* layout = new QVBoxLayout(dialog);
    if (!intro.isEmpty()) {
        auto* label = new QLabel(intro, dialog);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* table = new QTableWidget(static_cast<int>(entries.size()), 2, dialog);
    table->setObjectName(QStringLiteral("entries"));
    table->setHorizontalHeaderLabels({header1, header2});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setWordWrap(true);
    table->setFocusPolicy(Qt::NoFocus);
    // Rows take the height their wrapped text needs at the width the dialog gives them.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(entries[static_cast<std::size_t>(row)].name));
        table->setItem(row, 1,
                       new QTableWidgetItem(entries[static_cast<std::size_t>(row)].meaning));
    }
    layout->addWidget(table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog->resize(720, 520);
    return dialog;
}

QDialog* HelpMenu::keysDialog() {
    // Built afresh each time it is closed, so that shortcuts added meanwhile show.
    if (keys_ == nullptr || !keys_->isVisible()) {
        delete keys_;
        keys_ = makeTableDialog(
            QCoreApplication::translate("zw::HelpMenu", "Keys and Mouse"),
            QCoreApplication::translate("zw::HelpMenu",
                                        "Plane keys go to the plane with the keys (the one "
                                        "with the frame); menu shortcuts work anywhere."),
            keysAndMouse(), QCoreApplication::translate("zw::HelpMenu", "Key or action"),
            QCoreApplication::translate("zw::HelpMenu", "What it does"));
    }
    return keys_;
}

QDialog* HelpMenu::functionsDialog() {
    if (functions_ == nullptr) {
        functions_ = makeTableDialog(
            QCoreApplication::translate("zw::HelpMenu", "Functions"),
            QCoreApplication::translate(
                "zw::HelpMenu",
                "The Function menu's entries. Where f has an inverse, the range's grid "
                "can be pulled back into the domain and the status bar shows f⁻¹(w)."),
            functions(), QCoreApplication::translate("zw::HelpMenu", "Function"),
            QCoreApplication::translate("zw::HelpMenu", "Formula and inverse"));
    }
    return functions_;
}

QMessageBox* HelpMenu::aboutBox() {
    if (about_ == nullptr) {
        about_ = new QMessageBox(QMessageBox::NoIcon,
                                 QCoreApplication::translate("zw::HelpMenu", "About zwmap"),
                                 aboutText(), QMessageBox::Ok, window_);
        about_->setTextFormat(Qt::RichText);
    }
    return about_;
}

}  // namespace zw
