#include "qt/HelpMenu.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtGlobal>
#include <iterator>

#include "engine/Catalogue.h"

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

// The menu shortcuts, read from the menus so that the list cannot go stale.
void collectShortcuts(QMenu* menu, const QString& path, std::vector<HelpMenu::Entry>& out) {
    for (QAction* item : menu->actions()) {
        const QString text = item->text().remove(QLatin1Char('&'));
        if (item->menu() != nullptr) {
            collectShortcuts(item->menu(), path + QStringLiteral(" > ") + text, out);
        } else if (!item->shortcuts().isEmpty()) {
            QStringList keys;
            for (const QKeySequence& key : item->shortcuts()) {
                keys << key.toString(QKeySequence::NativeText);
            }
            out.push_back({keys.join(QStringLiteral(", ")), path + QStringLiteral(" > ") + text});
        }
    }
}

}  // namespace

HelpMenu::HelpMenu(QMainWindow* window)
    : QObject(window), window_(window), menu_(window->menuBar()->addMenu(QStringLiteral("&Help"))) {
    QAction* keys = menu_->addAction(QStringLiteral("Keys and Mouse"));
    keys->setStatusTip(QStringLiteral("List every key, shortcut and mouse action"));
    connect(keys, &QAction::triggered, this, [this] { showAndRaise(keysDialog()); });
    QAction* functions = menu_->addAction(QStringLiteral("Functions"));
    functions->setStatusTip(QStringLiteral("The formula of each function and which have inverses"));
    connect(functions, &QAction::triggered, this, [this] { showAndRaise(functionsDialog()); });
    menu_->addSeparator();
    QAction* about = menu_->addAction(QStringLiteral("About zwmap"));
    about->setStatusTip(QStringLiteral("Version, Qt version and licence"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, [this] { aboutBox()->open(); });
}

std::vector<HelpMenu::Entry> HelpMenu::keysAndMouse() const {
    std::vector<Entry> entries = {
        {QStringLiteral("Left drag in the domain"),
         QStringLiteral("Draws a path; its image under f is drawn in the range as you go")},
        {QStringLiteral("Wheel, or Ctrl+wheel"),
         QStringLiteral("Zooms the plane under the pointer by 2 per notch, about the pointer")},
        {QStringLiteral("Middle or right drag"),
         QStringLiteral("Pans the plane under the pointer by the distance dragged")},
        {QStringLiteral("Pointer over a plane"),
         QStringLiteral("The status bar shows z and f(z), or w and f⁻¹(w) where f has an "
                        "inverse; while no button is held a ring marks the image in the other "
                        "plane (View > Linked Cursor)")},
        {QStringLiteral("Click in a plane"), QStringLiteral("Gives that plane the keys")},
        {QStringLiteral("Arrow keys, or 2, 4, 6, 8"),
         QStringLiteral("Pan the plane with the keys by 100 pixels")},
        {QStringLiteral("+ (or =) and -, main and keypad"),
         QStringLiteral("Zoom the plane with the keys in or out by 2, about its centre")},
        {QStringLiteral("Any other key"),
         QStringLiteral("Shows the \"Unrecogonised key\" notice in the plane with the keys")},
        {QStringLiteral("Alt+letter"),
         QStringLiteral("Opens the menu with that underlined letter")},
        {QStringLiteral("Return, Escape"),
         QStringLiteral("In a dialog or notice: OK (or the default button), and Cancel or Close")},
    };
    for (QAction* top : window_->menuBar()->actions()) {
        if (top->menu() != nullptr) {
            collectShortcuts(top->menu(), top->text().remove(QLatin1Char('&')), entries);
        }
    }
    return entries;
}

const std::vector<HelpMenu::Entry>& HelpMenu::functions() {
    static const std::vector<Entry> entries = [] {
        std::vector<Entry> list;
        for (const catalogue::Entry& entry : catalogue::functions()) {
            list.push_back({QString::fromUtf8(entry.title), QString::fromUtf8(entry.help)});
        }
        const Entry typed[] = {
            {QStringLiteral("Möbius Map..."),
             QStringLiteral("w = (az + b)/(cz + d) with complex a, b, c, d; inverse: "
                            "z = (dw − b)/(a − cw)")},
            {QStringLiteral("Cubic Polynomial..."),
             QStringLiteral("w = az³ + bz² + cz + d with complex a, b, c, d; no inverse")},
            {QStringLiteral("Affine Map..."),
             QStringLiteral("w = (u + ax + cy) + i(v + bx + dy) for z = x + iy, with real u, v, a, "
                            "b, c, d; inverse: the inverse matrix, where ad − bc ≠ 0")},
            {QStringLiteral("Formula..."),
             QStringLiteral("w = a formula in z you type, e.g. sin(z)^2 + 1/(z-1); inverse: the "
                            "formula in w you give with it, if any")},
        };
        list.insert(list.end(), std::begin(typed), std::end(typed));
        return list;
    }();
    return entries;
}

QString HelpMenu::aboutText() {
    return QStringLiteral(
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
        keys_ = makeTableDialog(QStringLiteral("Keys and Mouse"),
                                QStringLiteral("Plane keys go to the plane with the keys (the one "
                                               "with the frame); menu shortcuts work anywhere."),
                                keysAndMouse(), QStringLiteral("Key or action"),
                                QStringLiteral("What it does"));
    }
    return keys_;
}

QDialog* HelpMenu::functionsDialog() {
    if (functions_ == nullptr) {
        functions_ = makeTableDialog(
            QStringLiteral("Functions"),
            QStringLiteral("The Function menu's entries. Where f has an inverse, the range's grid "
                           "can be pulled back into the domain and the status bar shows f⁻¹(w)."),
            functions(), QStringLiteral("Function"), QStringLiteral("Formula and inverse"));
    }
    return functions_;
}

QMessageBox* HelpMenu::aboutBox() {
    if (about_ == nullptr) {
        about_ = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("About zwmap"), aboutText(),
                                 QMessageBox::Ok, window_);
        about_->setTextFormat(Qt::RichText);
    }
    return about_;
}

}  // namespace zw
