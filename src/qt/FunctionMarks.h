#pragma once

#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "engine/ActiveFunction.h"

class QAction;
class QActionGroup;
class QWidget;

namespace zw {

// Keeps the Function menu's check mark on the item of the function in use (a catalogue title,
// a typed map, or the formula) and the main window's title naming a formula in use.
class FunctionMarks {
  public:
    static constexpr const char* kFormula = "Formula";

    FunctionMarks(QWidget* window, QActionGroup* group) : window_(window), group_(group) {}

    // The item that stands for a catalogue title, a user map's name, or kFormula.
    void addItem(QAction* item, std::string key);
    void follow(const ActiveFunction& active);

    // The main window's title while this function is in use.
    static QString windowTitle(const ActiveFunction& active);

  private:
    QWidget* window_;
    QActionGroup* group_;
    std::vector<std::pair<QAction*, std::string>> items_;
};

}  // namespace zw
