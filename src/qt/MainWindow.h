#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "app/AffineController.h"
#include "app/Controller.h"
#include "app/FormulaController.h"
#include "app/MobiusController.h"
#include "app/PolynomialController.h"
#include "app/Workbench.h"
#include "engine/Transformations.h"
#include "platform/Alerts.h"
#include "platform/UndoManager.h"

class QAction;
class QActionGroup;
class QMenu;

namespace zw {

class ColorPanel;
class CursorLink;
class DomainView;
class FormulaDialog;
class FunctionMarks;
class HelpMenu;
class MenuItemSender;
class ParameterDialog;
class PlaneView;
class PlaneWidget;
class QtColorPanel;
class RangeView;
class Sender;
class SessionActions;
class StatusBar;
class ViewMenu;

// The application's one window: the domain (z) and the range (w) side by side, the menus, and
// the objects behind them, each created once and wired together before the event loop runs.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    Controller* controller() { return &controller_; }
    DomainView* domainView() const { return domain_; }
    RangeView* rangeView() const { return range_; }
    PlaneWidget* domainPane() const { return domainPane_; }
    PlaneWidget* rangePane() const { return rangePane_; }
    UndoManager* undoManager() { return &undoManager_; }
    QtColorPanel* colorPanel() const { return colorPanel_; }
    ParameterDialog* mobiusDialog() const { return mobiusDialog_; }
    ParameterDialog* polynomialDialog() const { return polynomialDialog_; }
    ParameterDialog* affineDialog() const { return affineDialog_; }
    FormulaDialog* formulaDialog() const { return formulaDialog_; }

    SessionActions* sessionActions() const { return session_; }
    // After a session replaced the planes and the function: menus follow what it set.
    void sessionApplied();
    StatusBar* statusLine() const { return statusLine_; }
    ViewMenu* viewMenu() const { return viewMenu_; }
    HelpMenu* helpMenu() const { return helpMenu_; }
    CursorLink* cursorLink() const { return cursorLink_; }

    QMenu* menu(const QString& title) const;
    // The item with this text in the named menu or one of its submenus; null if none.
    QAction* findAction(const QString& menuTitle, const QString& text) const;

    // The catalogue of functions, as the Function menu lists them.
    static const std::vector<QString>& functionTitles();

  signals:
    // A menu action or a dialog has been handed to the logic and the passes are done.
    void actionHandled();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    using Action = std::function<void(Sender*)>;

    void createPanes();
    void createDialogs();
    void buildMenus();
    void buildColourMenu(QMenu* menu, const std::function<PlaneView*()>& plane);
    // The items that make the pictures mathematically true (MathsMenus.cpp).
    void buildMathsMenus();
    QAction* addLogicAction(QMenu* menu, const QString& text, Action action,
                            bool checkable = false);
    void afterAction();
    void refreshEditMenu();
    void syncCheckMarks();

    Workbench workbench_;
    UndoManager& undoManager_ = workbench_.undoManager;
    Transformations& transformations_ = workbench_.transformations;
    Controller& controller_ = workbench_.controller;
    MobiusController mobius_;
    PolynomialController polynomial_;
    AffineController affine_;
    FormulaController formula_;
    DomainView* domain_ = nullptr;
    RangeView* range_ = nullptr;
    std::vector<std::unique_ptr<MenuItemSender>> senders_;

    PlaneWidget* domainPane_ = nullptr;
    PlaneWidget* rangePane_ = nullptr;
    QtColorPanel* colorPanel_ = nullptr;
    ParameterDialog* mobiusDialog_ = nullptr;
    ParameterDialog* polynomialDialog_ = nullptr;
    ParameterDialog* affineDialog_ = nullptr;
    FormulaDialog* formulaDialog_ = nullptr;
    std::unique_ptr<FunctionMarks> functionMarks_;
    StatusBar* statusLine_ = nullptr;
    ViewMenu* viewMenu_ = nullptr;
    HelpMenu* helpMenu_ = nullptr;
    CursorLink* cursorLink_ = nullptr;
    QActionGroup* functionGroup_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* removeLastAction_ = nullptr;
    QAction* clearAllAction_ = nullptr;
    Sender* inverseImages_ = nullptr;
    SessionActions* session_ = nullptr;
    // Display options whose check mark starts from a flag read after awakeFromNib.
    std::vector<std::pair<QAction*, std::function<bool()>>> initialStates_;

    AlertHandler previousAlertHandler_;
    ColorPanel* previousColorPanel_ = nullptr;
};

}  // namespace zw
