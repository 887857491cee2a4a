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

#include "engine/Catalogue.h"
#include "platform/ColorPanel.h"
#include "qt/AlertPanel.h"
#include "qt/CursorLink.h"
#include "qt/FormulaDialog.h"
#include "qt/FunctionMarks.h"
#include "qt/HelpMenu.h"
#include "qt/MenuItemSender.h"
#include "qt/ParameterDialog.h"
#include "qt/PlaneWidget.h"
#include "qt/QtColorPanel.h"
#include "qt/SessionActions.h"
#include "qt/StatusBar.h"
#include "qt/StatusTips.h"
#include "qt/ViewMenu.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

namespace {

constexpr int kInitialWidth = 1000;
constexpr int kInitialHeight = 540;

}  // namespace

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

    // Platform services first: the views take the shared colour panel when they wake.
    previousAlertHandler_ = AlertPanel::install();
    colorPanel_ = new QtColorPanel(this);
    previousColorPanel_ = ColorPanel::sharedColorPanel();
    ColorPanel::setSharedColorPanel(colorPanel_);
    connect(colorPanel_, &QtColorPanel::colorChosen, this, &MainWindow::afterAction);

    createPanes();
    createDialogs();
    buildMenus();
    statusLine_ = new StatusBar(this);
    setStatusBar(statusLine_);
    // Lay the window out before the planes exist, so that each starts at the size it is
    // shown at and the first show is no resize.
    resize(kInitialWidth, kInitialHeight);
    layout()->activate();
    auto* splitter = static_cast<QSplitter*>(centralWidget());
    const int half = (splitter->width() - splitter->handleWidth()) / 2;
    splitter->setSizes({half, half});

    // Every object once, the references, then every object's awakeFromNib.
    workbench_.makePlanes(domainPane_, domainPane_->frameForNewView(), rangePane_,
                          rangePane_->frameForNewView(), inverseImages_);
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
        connect(pane, &PlaneWidget::eventHandled, this, &MainWindow::refreshEditMenu);
    }
    syncCheckMarks();
    functionMarks_->follow(transformations_.activeFunction());
    refreshEditMenu();

    cursorLink_ = new CursorLink(this, statusLine_);
    viewMenu_ = new ViewMenu(menuBar(), this);
    viewMenu_->addToggle(QStringLiteral("Linked Cursor"),
                         QStringLiteral("Mark the image of the pointer in the other plane"), true,
                         [this](bool on) { cursorLink_->setMarkersShown(on); });
    buildMathsMenus();
    helpMenu_ = new HelpMenu(this);
    addStatusTips(menuBar());
    domainPane_->setFocus();
    // What the window starts with is no change to save.
    session_->document().markUnmodified();
    session_->refreshTitle();
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
    domainPane_->setAccessibleName(QStringLiteral("z"));
    rangePane_ = new PlaneWidget(&undoManager_, splitter);
    rangePane_->setObjectName(QStringLiteral("range"));
    rangePane_->setAccessibleName(QStringLiteral("w"));
    splitter->addWidget(domainPane_);
    splitter->addWidget(rangePane_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
}

void MainWindow::createDialogs() {
    using Field = ParameterDialog::Field;
    mobiusDialog_ =
        new ParameterDialog(QStringLiteral("Möbius Map"), QStringLiteral("w = (az + b) / (cz + d)"),
                            {Field{QStringLiteral("a real"), QStringLiteral("1")},
                             Field{QStringLiteral("a imaginary"), QStringLiteral("0")},
                             Field{QStringLiteral("b real"), QStringLiteral("0")},
                             Field{QStringLiteral("b imaginary"), QStringLiteral("0")},
                             Field{QStringLiteral("c real"), QStringLiteral("0")},
                             Field{QStringLiteral("c imaginary"), QStringLiteral("0")},
                             Field{QStringLiteral("d real"), QStringLiteral("1")},
                             Field{QStringLiteral("d imaginary"), QStringLiteral("0")}},
                            &mobius_, this);
    polynomialDialog_ = new ParameterDialog(
        QStringLiteral("Cubic Polynomial"), QStringLiteral("w = az³ + bz² + cz + d"),
        {Field{QStringLiteral("a real"), QStringLiteral("0")},
         Field{QStringLiteral("a imaginary"), QStringLiteral("0")},
         Field{QStringLiteral("b real"), QStringLiteral("0")},
         Field{QStringLiteral("b imaginary"), QStringLiteral("0")},
         Field{QStringLiteral("c real"), QStringLiteral("1")},
         Field{QStringLiteral("c imaginary"), QStringLiteral("0")},
         Field{QStringLiteral("d real"), QStringLiteral("0")},
         Field{QStringLiteral("d imaginary"), QStringLiteral("0")}},
        &polynomial_, this);
    // The affine controller reads the fields with other meanings: aR, bR translate; aI, bI,
    // cI, dI are the matrix; cR and dR are not read at all.
    affineDialog_ = new ParameterDialog(
        QStringLiteral("Affine Map"),
        QStringLiteral("Re w = u + a·x + c·y,  Im w = v + b·x + d·y  (z = x + iy)"),
        {Field{QStringLiteral("u (aR)"), QStringLiteral("0")},
         Field{QStringLiteral("a (aI)"), QStringLiteral("1")},
         Field{QStringLiteral("v (bR)"), QStringLiteral("0")},
         Field{QStringLiteral("b (bI)"), QStringLiteral("0")},
         Field{QStringLiteral("cR (unused)"), QString(), false},
         Field{QStringLiteral("c (cI)"), QStringLiteral("0")},
         Field{QStringLiteral("dR (unused)"), QString(), false},
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
}

QAction* MainWindow::addLogicAction(QMenu* menu, const QString& text, Action action,
                                    bool checkable) {
    QAction* item = menu->addAction(text);
    item->setCheckable(checkable);
    senders_.push_back(std::make_unique<MenuItemSender>(item));
    Sender* sender = senders_.back().get();
    connect(item, &QAction::triggered, this, [this, item, sender, action = std::move(action)] {
        if (item->isCheckable() && item->actionGroup() == nullptr) {
            // The logic reads the state from before the click and sets the new one itself.
            const QSignalBlocker blocker(item);
            item->setChecked(!item->isChecked());
        }
        action(sender);
        afterAction();
    });
    return item;
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* quit = file->addAction(QStringLiteral("Quit"));
    // Without a desktop theme Qt knows no standard quit key; Ctrl+Q is everybody's.
    const QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    quit->setShortcuts(quitKeys.isEmpty() ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Q)}
                                          : quitKeys);
    connect(quit, &QAction::triggered, this, [this] {
        // Closing asks about unsaved changes, once; quitting then has nothing left to ask.
        if (close()) {
            QCoreApplication::quit();
        }
    });
    session_ = new SessionActions(this, file, quit);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    undoAction_ =
        addLogicAction(edit, QStringLiteral("Undo"), [this](Sender* s) { controller_.undo(s); });
    undoAction_->setShortcut(QKeySequence::Undo);
    redoAction_ =
        addLogicAction(edit, QStringLiteral("Redo"), [this](Sender* s) { controller_.redo(s); });
    redoAction_->setShortcut(QKeySequence::Redo);
    edit->addSeparator();
    removeLastAction_ = addLogicAction(edit, QStringLiteral("Remove Last Path"),
                                       [this](Sender* s) { controller_.removeLastPath(s); });
    clearAllAction_ = addLogicAction(edit, QStringLiteral("Clear All Paths..."),
                                     [this](Sender* s) { controller_.clearAll(s); });

    QMenu* function = menuBar()->addMenu(QStringLiteral("F&unction"));
    functionGroup_ = new QActionGroup(this);
    functionGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    functionMarks_ = std::make_unique<FunctionMarks>(functionGroup_);
    for (const QString& title : functionTitles()) {
        QAction* item =
            addLogicAction(function, title, [this](Sender* s) { controller_.setFunction(s); });
        item->setCheckable(true);
        functionGroup_->addAction(item);
        // The controller selects this one when it wakes.
        item->setChecked(title == QLatin1String(catalogue::kInitialTitle));
        functionMarks_->addItem(item, title.toStdString());
    }
    function->addSeparator();
    // These items carry the check mark while their map or the formula is in use; opening a
    // dialog changes nothing until it is confirmed, so the mark goes back at once.
    const auto dialogItem = [this, function](const QString& text, const std::string& key) {
        QAction* item = function->addAction(text);
        item->setCheckable(true);
        functionGroup_->addAction(item);
        functionMarks_->addItem(item, key);
        return item;
    };
    const std::array<std::pair<ParameterDialog*, const char*>, 3> maps{{
        {mobiusDialog_, catalogue::kMobiusMap},
        {polynomialDialog_, catalogue::kPolynomial},
        {affineDialog_, catalogue::kAffineMap},
    }};
    for (const auto& [dialog, mapName] : maps) {
        QAction* item = dialogItem(dialog->windowTitle() + QStringLiteral("..."), mapName);
        connect(item, &QAction::triggered, dialog, [this, dialog = dialog] {
            functionMarks_->follow(transformations_.activeFunction());
            dialog->show();
            dialog->raise();
            dialog->activateWindow();
        });
    }
    QAction* formulaItem = dialogItem(QStringLiteral("Formula..."), FunctionMarks::kFormula);
    connect(formulaItem, &QAction::triggered, formulaDialog_, [this] {
        functionMarks_->follow(transformations_.activeFunction());
        formulaDialog_->present();
    });

    QMenu* domain = menuBar()->addMenu(QStringLiteral("&Domain"));
    QAction* zoomIn = addLogicAction(domain, QStringLiteral("Zoom In"),
                                     [this](Sender* s) { domain_->zoomIn(s); });
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    QAction* zoomOut = addLogicAction(domain, QStringLiteral("Zoom Out"),
                                      [this](Sender* s) { domain_->zoomOut(s); });
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    domain->addSeparator();
    auto option = [this](QMenu* menu, const QString& text, Action action,
                         std::function<bool()> initially) {
        QAction* item = addLogicAction(menu, text, std::move(action), true);
        initialStates_.emplace_back(item, std::move(initially));
        return item;
    };
    option(
        domain, QStringLiteral("Show Axis Labels"),
        [this](Sender* s) { domain_->toggleAxesLabels(s); }, [this] { return domain_->tickMarks; });
    option(
        domain, QStringLiteral("Show Grid"), [this](Sender* s) { domain_->showDomainGrid(s); },
        [this] { return domain_->showGridlines; });
    option(
        domain, QStringLiteral("Shade by Modulus"),
        [this](Sender* s) { domain_->showContoursAction(s); },
        [this] { return domain_->showContours; });
    option(
        domain, QStringLiteral("Shade by Argument"),
        [this](Sender* s) { domain_->showArgumentsAction(s); },
        [this] { return domain_->showArguments; });
    option(
        domain, QStringLiteral("Highest Resolution"),
        [this](Sender* s) { domain_->highestResolutionAction(s); },
        [this] { return domain_->highestResolution; });
    option(
        domain, QStringLiteral("Show Path Images in Domain"),
        [this](Sender* s) { controller_.toggleShowTransformedPathsInDomain(s); },
        [this] { return controller_.showTransformedPathsInDomain(); });
    option(
        domain, QStringLiteral("Show Inverse Images of Range Grid"),
        [this](Sender* s) { controller_.toggleShowInverseImagesOfRangeGridlines(s); },
        [this] { return controller_.showInverseImagesOfRangeGridlines(); });
    // The controller clears this item's check mark when a new function has no inverse.
    inverseImages_ = senders_.back().get();
    domain->addSeparator();
    buildColourMenu(domain->addMenu(QStringLiteral("Path Colour")),
                    [this]() -> PlaneView* { return domain_; });
    // Last, so that the items above keep their places.
    domain->addSeparator();
    addLogicAction(domain, QStringLiteral("Reset View"),
                   [this](Sender* s) { domain_->resetView(s); });

    QMenu* range = menuBar()->addMenu(QStringLiteral("&Range"));
    // The domain's zoom has the standard shortcuts; the range's add Alt. (Ctrl+Shift+= would
    // be the domain's Ctrl++ on most keyboards, and Qt would take neither.)
    addLogicAction(range, QStringLiteral("Zoom In"), [this](Sender* s) {
        range_->zoomIn(s);
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Equal));
    addLogicAction(range, QStringLiteral("Zoom Out"), [this](Sender* s) {
        range_->zoomOut(s);
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Minus));
    range->addSeparator();
    option(
        range, QStringLiteral("Show Axis Labels"),
        [this](Sender* s) { range_->toggleAxesLabels(s); }, [this] { return range_->tickMarks; });
    option(
        range, QStringLiteral("Show Grid"), [this](Sender* s) { range_->showRangeGrid(s); },
        [this] { return range_->showGridlines; });
    option(
        range, QStringLiteral("Show Grid Images"),
        [this](Sender* s) { range_->showTransformedGridlinesAction(s); },
        [this] { return range_->showTransformedGridlines; });
    // Drawing in the range is refused with a notice; the item never becomes checked.
    option(
        range, QStringLiteral("Allow Drawing"),
        [this](Sender* s) { range_->toggleAllowDrawing_(s); }, [] { return false; });
    range->addSeparator();
    buildColourMenu(range->addMenu(QStringLiteral("Path Colour")),
                    [this]() -> PlaneView* { return range_; });
    range->addSeparator();
    addLogicAction(range, QStringLiteral("Reset View"),
                   [this](Sender* s) { range_->resetView(s); });
}

void MainWindow::buildColourMenu(QMenu* menu, const std::function<PlaneView*()>& plane) {
    addLogicAction(menu, QStringLiteral("Black"),
                   [plane](Sender* s) { plane()->setColorBlack(s); });
    addLogicAction(menu, QStringLiteral("Blue"), [plane](Sender* s) { plane()->setColorBlue(s); });
    addLogicAction(menu, QStringLiteral("Green"),
                   [plane](Sender* s) { plane()->setColorGreen(s); });
    addLogicAction(menu, QStringLiteral("Red"), [plane](Sender* s) { plane()->setColorRed(s); });
    addLogicAction(menu, QStringLiteral("Other..."),
                   [plane](Sender* s) { plane()->setColorOther(s); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (session_->mayClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::sessionApplied() {
    // A catalogue title, a typed map or Formula...: the mark goes where the session's function is.
    functionMarks_->follow(transformations_.activeFunction());
    syncCheckMarks();
    // The readouts follow the session's view and function with the pointer still.
    domain_->updateCoords();
    controller_.refreshReadouts();
    afterAction();
}

void MainWindow::syncCheckMarks() {
    for (const auto& [item, initially] : initialStates_) {
        item->setChecked(initially());
    }
}

void MainWindow::afterAction() {
    functionMarks_->follow(transformations_.activeFunction());
    PlaneWidget::flushAll();
    refreshEditMenu();
    emit actionHandled();
}

void MainWindow::refreshEditMenu() {
    const QString undoName = QString::fromStdString(undoManager_.undoActionName());
    const QString redoName = QString::fromStdString(undoManager_.redoActionName());
    undoAction_->setText(undoName.isEmpty() ? QStringLiteral("Undo")
                                            : QStringLiteral("Undo ") + undoName);
    // Nothing in the history moves while a path is still being drawn.
    const bool idle = controller_.canChangePathHistory();
    undoAction_->setEnabled(idle && undoManager_.canUndo());
    redoAction_->setText(redoName.isEmpty() ? QStringLiteral("Redo")
                                            : QStringLiteral("Redo ") + redoName);
    redoAction_->setEnabled(idle && undoManager_.canRedo());
    removeLastAction_->setEnabled(idle);
    clearAllAction_->setEnabled(idle);
}

QMenu* MainWindow::menu(const QString& title) const {
    for (QAction* item : menuBar()->actions()) {
        if (item->menu() != nullptr && item->text().remove(QLatin1Char('&')) == title) {
            return item->menu();
        }
    }
    return nullptr;
}

QAction* MainWindow::findAction(const QString& menuTitle, const QString& text) const {
    QMenu* top = menu(menuTitle);
    if (top == nullptr) {
        return nullptr;
    }
    std::vector<QMenu*> pending = {top};
    while (!pending.empty()) {
        QMenu* current = pending.back();
        pending.pop_back();
        for (QAction* item : current->actions()) {
            if (item->menu() != nullptr) {
                pending.push_back(item->menu());
            } else if (item->text() == text) {
                return item;
            }
        }
    }
    return nullptr;
}

}  // namespace zw
