#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/ActiveFunction.h"

class QAction;
class QActionGroup;

namespace zw {

// Keeps the Function menu's check mark on the item of the function in use: a catalogue title,
// a typed map, or the formula.
class FunctionMarks {
  public:
    static constexpr const char* kFormula = "Formula";

    explicit FunctionMarks(QActionGroup* group) : group_(group) {}

    // The item that stands for a catalogue title, a user map's name, or kFormula.
    void addItem(QAction* item, std::string key);
    void follow(const ActiveFunction& active);

  private:
    QActionGroup* group_;
    std::vector<std::pair<QAction*, std::string>> items_;
};

}  // namespace zw
