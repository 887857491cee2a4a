#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "platform/Geometry.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace zw {

// Asks for an exact circle (centre and radius) or line (two end points) in true coordinates.
// OK stays disabled, with the reason shown, until every field holds a number.
class ShapeDialog : public QDialog {
    Q_OBJECT

  public:
    enum class Kind { Circle, Line };

    ShapeDialog(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    QLineEdit* field(int index) const { return fields_[static_cast<std::size_t>(index)]; }
    QLabel* problem() const { return problem_; }
    bool acceptable() const;
    // The shape as points in true coordinates, sampled for this many view units per unit.
    std::vector<CGPoint> points(double unitsPerPlaneUnit) const;

  signals:
    void confirmed();

  private:
    void check();

    Kind kind_;
    std::vector<QLineEdit*> fields_;
    QLabel* problem_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace zw
