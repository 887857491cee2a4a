#pragma once

#include <QAccessibleWidget>
#include <QString>

namespace zw {

class PlaneWidget;

// What assistive technology is told about a plane: its name and description as the window set
// them, and as its value the readout in its corner (the pointer's z, or f(z) in the range).
class AccessiblePlane : public QAccessibleWidget {
  public:
    explicit AccessiblePlane(PlaneWidget* pane);

    QString text(QAccessible::Text t) const override;

    // Lets Qt's accessibility make one of these for every plane; once per process.
    static void install();
};

}  // namespace zw
