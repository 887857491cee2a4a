#pragma once

#include <QMainWindow>
#include <QString>
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

namespace zw {

class ColorPanel;
class CursorLink;
class DomainView;
class FormulaDialog;
class HelpMenu;
class MenuBuilder;
class ParameterDialog;
class ParametersDock;
class PlaneView;
class PlaneWidget;
class QtColorPanel;
class RangeView;
class RecoveryKeeper;
class SessionActions;
class ShapeDialog;
class StatusBar;
class WindowPreferences;

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
    ParametersDock* parametersDock() const { return parametersDock_; }

    SessionActions* sessionActions() const { return session_; }
    // After a session replaced the planes and the function: menus follow what it set.
    void sessionApplied();
    StatusBar* statusLine() const { return statusLine_; }
    HelpMenu* helpMenu() const { return helpMenu_; }
    CursorLink* cursorLink() const { return cursorLink_; }
    // The remembered settings, and the recovery copy of unsaved work.
    WindowPreferences* preferences() const { return preferences_; }
    RecoveryKeeper* recovery() const { return recovery_; }

    // The menus and items, made from the command table.
    MenuBuilder* menus() const { return menus_; }
    const Workbench& workbench() const { return workbench_; }

    // The catalogue of functions, as the Function menu lists them.
    static const std::vector<QString>& functionTitles();

  signals:
    // A menu action or a dialog has been handed to the logic and the passes are done.
    void actionHandled();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void createPanes();
    void createDialogs();
    // The actions of the commands that open dialogs or quit.
    void bindCommands();
    void afterAction();
    void createParametersDock();

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

    PlaneWidget* domainPane_ = nullptr;
    PlaneWidget* rangePane_ = nullptr;
    QtColorPanel* colorPanel_ = nullptr;
    ParameterDialog* mobiusDialog_ = nullptr;
    ParameterDialog* polynomialDialog_ = nullptr;
    ParameterDialog* affineDialog_ = nullptr;
    FormulaDialog* formulaDialog_ = nullptr;
    ParametersDock* parametersDock_ = nullptr;
    ShapeDialog* circleDialog_ = nullptr;
    ShapeDialog* lineDialog_ = nullptr;
    MenuBuilder* menus_ = nullptr;
    StatusBar* statusLine_ = nullptr;
    HelpMenu* helpMenu_ = nullptr;
    CursorLink* cursorLink_ = nullptr;
    SessionActions* session_ = nullptr;
    WindowPreferences* preferences_ = nullptr;
    RecoveryKeeper* recovery_ = nullptr;

    AlertHandler previousAlertHandler_;
    ColorPanel* previousColorPanel_ = nullptr;
};

}  // namespace zw
