#include "qt/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <array>

#include "app/Commands.h"
#include "engine/Catalogue.h"
#include "platform/ColorPanel.h"
#include "qt/AccessiblePlane.h"
#include "qt/AlertPanel.h"
#include "qt/CursorLink.h"
#include "qt/FormulaDialog.h"
#include "qt/HelpMenu.h"
#include "qt/MenuBuilder.h"
#include "qt/ParameterDialog.h"
#include "qt/ParametersDock.h"
#include "qt/PictureClipboard.h"
#include "qt/PlaneWidget.h"
#include "qt/QtColorPanel.h"
#include "qt/RecoveryKeeper.h"
#include "qt/SessionActions.h"
#include "qt/ShapeDialog.h"
#include "qt/StatusBar.h"
#include "qt/WindowPreferences.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

const std::vector<QString>& MainWindow::functionTitles() {
    static const std::vector<QString> titles = [] {
        std::vector<QString> t;
        for (const catalogue::Entry& entry : catalogue::functions()) {
            t.push_back(QString::fromUtf8(entry.title));
        }
        return t;
    }();
    return titles;
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("zwmap"));
    AccessiblePlane::install();

    // Platform services first: the views take the shared colour panel when they wake.
    previousAlertHandler_ = AlertPanel::install();
    colorPanel_ = new QtColorPanel(this);
    previousColorPanel_ = ColorPanel::sharedColorPanel();
    ColorPanel::setSharedColorPanel(colorPanel_);
    connect(colorPanel_, &QtColorPanel::colorChosen, this, &MainWindow::afterAction);

    preferences_ = new WindowPreferences(this);
    createPanes();
    createDialogs();
    menus_ = new MenuBuilder(
        menuBar(), workbench_, [this] { afterAction(); }, this);
    bindCommands();
    session_ = new SessionActions(this, *menus_);
    statusLine_ = new StatusBar(this);
    setStatusBar(statusLine_);
    // Lay the window out before the planes exist, so that each starts at the size it is
    // shown at and the first show is no resize.
    resize(preferences_->windowSize());
    layout()->activate();
    auto* splitter = static_cast<QSplitter*>(centralWidget());
    const int width = splitter->width() - splitter->handleWidth();
    const double share = preferences_->splitterShare();
    splitter->setSizes({static_cast<int>(width * share), static_cast<int>(width * (1.0 - share))});

    // Every object once, the references, then every object's awakeFromNib.
    workbench_.makePlanes(domainPane_, domainPane_->frameForNewView(), rangePane_,
                          rangePane_->frameForNewView(), menus_->sender(command::kInverseImages));
    domain_ = workbench_.domain();
    range_ = workbench_.range();
    for (ParameterController* dialog :
         std::array<ParameterController*, 3>{&mobius_, &polynomial_, &affine_}) {
        dialog->controller = &controller_;
    }
    formula_.controller = &controller_;
    workbench_.wake();

    domainPane_->setView(domain_);
    rangePane_->setView(range_);
    for (PlaneWidget* pane : {domainPane_, rangePane_}) {
        connect(pane, &PlaneWidget::eventHandled, menus_, &MenuBuilder::refresh);
    }
    // The marks and states as the woken objects have them.
    menus_->refresh();

    cursorLink_ = new CursorLink(this, statusLine_);
    connect(menus_->action(command::kLinkedCursor), &QAction::toggled, cursorLink_,
            &CursorLink::setMarkersShown);
    helpMenu_ = new HelpMenu(this, *menus_);
    // The options as the user last chose them: the window starts with them.
    preferences_->applyOptions(*menus_);
    connect(menus_->action(command::kResetSettings), &QAction::triggered, preferences_,
            &WindowPreferences::reset);
    createParametersDock();
    new PictureClipboard(this, *menus_);
    domainPane_->setFocus();
    // What the window starts with is no change to save, and what New brings back.
    session_->document().markStart();
    session_->refreshTitle();
    recovery_ = new RecoveryKeeper(this, *session_, RecoveryKeeper::timingFromEnvironment());
}

MainWindow::~MainWindow() {
    // The panes outlive the views (they are children, destroyed after the members).
    domainPane_->setView(nullptr);
    rangePane_->setView(nullptr);
    domainPane_->paneWindow()->setDelegate(nullptr);
    rangePane_->paneWindow()->setDelegate(nullptr);
    if (ColorPanel::sharedColorPanel() == colorPanel_) {
        ColorPanel::setSharedColorPanel(previousColorPanel_);
    }
    setAlertHandler(previousAlertHandler_);
}

void MainWindow::createPanes() {
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    domainPane_ = new PlaneWidget(&undoManager_, splitter);
    domainPane_->setObjectName(QStringLiteral("domain"));
    domainPane_->setAccessibleName(tr("z-plane, domain"));
    domainPane_->setAccessibleDescription(
        tr("Drag to draw a path; its image under f is drawn in the range. Arrow keys pan, + and - "
           "zoom. The value is the pointer's z."));
    rangePane_ = new PlaneWidget(&undoManager_, splitter);
    rangePane_->setObjectName(QStringLiteral("range"));
    rangePane_->setAccessibleName(tr("w-plane, range"));
    rangePane_->setAccessibleDescription(
        tr("The images of the domain's paths and grid under f. Arrow keys pan, + and - zoom. The "
           "value is f(z) at the pointer."));
    splitter->addWidget(domainPane_);
    splitter->addWidget(rangePane_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
}

void MainWindow::createDialogs() {
    using Field = ParameterDialog::Field;
    mobiusDialog_ = new ParameterDialog(
        QCoreApplication::translate("zw::MainWindow", "Möbius Map"),
        QStringLiteral("w = (az + b) / (cz + d)"),
        {Field{QCoreApplication::translate("zw::MainWindow", "a real"), QStringLiteral("1")},
         Field{QCoreApplication::translate("zw::MainWindow", "a imaginary"), QStringLiteral("0")},
         Field{QCoreApplication::translate("zw::MainWindow", "b real"), QStringLiteral("0")},
         Field{QCoreApplication::translate("zw::MainWindow", "b imaginary"), QStringLiteral("0")},
         Field{QCoreApplication::translate("zw::MainWindow", "c real"), QStringLiteral("0")},
         Field{QCoreApplication::translate("zw::MainWindow", "c imaginary"), QStringLiteral("0")},
         Field{QCoreApplication::translate("zw::MainWindow", "d real"), QStringLiteral("1")},
         Field{QCoreApplication::translate("zw::MainWindow", "d imaginary"), QStringLiteral("0")}},
        &mobius_, this);
    polynomialDialog_ = new ParameterDialog(
        QCoreApplication::translate("zw::MainWindow", "Cubic Polynomial"),
        QStringLiteral("w = az³ + bz² + cz + d"),
        {Field{QCoreApplication::translate("zw::MainWindow", "a real"), QStringLiteral("0")},
         Field{QCoreApplication::translate("zw::MainWindow", "a imaginary"), QStringLiteral("0")},
         Field{QCoreApplication::translate("zw::MainWindow", "b real"), QStringLiteral("0")},
         Field{QCoreApplication::translate("zw::MainWindow", "b imaginary"), QStringLiteral("0")},
         Field{QCoreApplication::translate("zw::MainWindow", "c real"), QStringLiteral("1")},
         Field{QCoreApplication::translate("zw::MainWindow", "c imaginary"), QStringLiteral("0")},
         Field{QCoreApplication::translate("zw::MainWindow", "d real"), QStringLiteral("0")},
         Field{QCoreApplication::translate("zw::MainWindow", "d imaginary"), QStringLiteral("0")}},
        &polynomial_, this);
    // The affine controller reads the fields with other meanings: aR, bR translate; aI, bI,
    // cI, dI are the matrix; cR and dR are not read at all.
    affineDialog_ = new ParameterDialog(
        QCoreApplication::translate("zw::MainWindow", "Affine Map"),
        QStringLiteral("Re w = u + a·x + c·y,  Im w = v + b·x + d·y  (z = x + iy)"),
        {Field{QStringLiteral("u (aR)"), QStringLiteral("0")},
         Field{QStringLiteral("a (aI)"), QStringLiteral("1")},
         Field{QStringLiteral("v (bR)"), QStringLiteral("0")},
         Field{QStringLiteral("b (bI)"), QStringLiteral("0")},
         Field{QCoreApplication::translate("zw::MainWindow", "cR (unused)"), QString(), false},
         Field{QStringLiteral("c (cI)"), QStringLiteral("0")},
         Field{QCoreApplication::translate("zw::MainWindow", "dR (unused)"), QString(), false},
         Field{QStringLiteral("d (dI)"), QStringLiteral("1")}},
        &affine_, this);
    formulaDialog_ = new FormulaDialog(&formula_, this);
    const auto confirmed = [this] {
        afterAction();
        // Without a window manager nobody hands the keys back to the planes.
        activateWindow();
    };
    for (ParameterDialog* dialog : {mobiusDialog_, polynomialDialog_, affineDialog_}) {
        connect(dialog, &ParameterDialog::confirmed, this, confirmed);
    }
    connect(formulaDialog_, &FormulaDialog::confirmed, this, confirmed);
    for (ShapeDialog::Kind kind : {ShapeDialog::Kind::Circle, ShapeDialog::Kind::Line}) {
        auto* dialog = new ShapeDialog(kind, this);
        (kind == ShapeDialog::Kind::Circle ? circleDialog_ : lineDialog_) = dialog;
        connect(dialog, &ShapeDialog::confirmed, this, [this, dialog] {
            // A shape is a path like a drawn one: not while one is being drawn.
            if (!controller_.canChangePathHistory()) {
                return;
            }
            domain_->addExactPath(dialog->points(domain_->viewport().pixelsPerUnit()));
            afterAction();
            activateWindow();
        });
    }
}

void MainWindow::bindCommands() {
    const auto show = [](QWidget* dialog) {
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    };
    const std::array<std::pair<const char*, QWidget*>, 5> dialogs{{
        {command::kMobiusMap, mobiusDialog_},
        {command::kPolynomial, polynomialDialog_},
        {command::kAffineMap, affineDialog_},
        {command::kAddCircle, circleDialog_},
        {command::kAddLine, lineDialog_},
    }};
    for (const auto& [id, dialog] : dialogs) {
        connect(menus_->action(id), &QAction::triggered, dialog, [this, show, dialog = dialog] {
            // Opening a dialog changes nothing until it is confirmed: a map's item gives the
            // mark back to the function in use.
            menus_->refresh();
            show(dialog);
        });
    }
    connect(menus_->action(command::kFormula), &QAction::triggered, formulaDialog_, [this] {
        menus_->refresh();
        formulaDialog_->present();
    });
    for (const auto& [id, pane] : {std::pair{command::kGoToDomain, domainPane_},
                                   std::pair{command::kGoToRange, rangePane_}}) {
        connect(menus_->action(id), &QAction::triggered, pane,
                [pane = pane] { pane->setFocus(Qt::ShortcutFocusReason); });
    }
    connect(menus_->action(command::kQuit), &QAction::triggered, this, [this] {
        // Closing asks about unsaved changes, once; quitting then has nothing left to ask.
        if (close()) {
            QCoreApplication::quit();
        }
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (session_->mayClose()) {
        preferences_->keepWindowShape();
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::sessionApplied() {
    // The readouts follow the session's view and function with the pointer still; the marks
    // follow its options and function (a catalogue title, a typed map or Formula...).
    domain_->updateCoords();
    controller_.refreshReadouts();
    afterAction();
}

void MainWindow::createParametersDock() {
    parametersDock_ = new ParametersDock(
        workbench_.parameters, [this] { afterAction(); }, this);
    addDockWidget(Qt::RightDockWidgetArea, parametersDock_);
    parametersDock_->hide();
    QAction* item = menus_->action(command::kParameters);
    // Neither reaches the window through `this`: the dock reports its hiding while the window
    // is being destroyed, when the window is no longer a MainWindow.
    ParametersDock* dock = parametersDock_;
    connect(item, &QAction::triggered, dock, [dock](bool on) {
        dock->refresh();
        dock->setVisible(on);
    });
    connect(dock, &QDockWidget::visibilityChanged, item, [item](bool visible) {
        const QSignalBlocker blocker(item);
        item->setChecked(visible);
    });
    // The rows follow every change: a new formula, an undo, a session.
    connect(this, &MainWindow::actionHandled, parametersDock_, &ParametersDock::refresh);
}

void MainWindow::afterAction() {
    PlaneWidget::flushAll();
    menus_->refresh();
    emit actionHandled();
}

}  // namespace zw
