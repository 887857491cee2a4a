#include "qt/AccessiblePlane.h"

#include "qt/PlaneWidget.h"

namespace zw {

namespace {

QAccessibleInterface* planeFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(PlaneWidget::staticMetaObject.className())) {
        if (auto* pane = qobject_cast<PlaneWidget*>(object)) {
            return new AccessiblePlane(pane);
        }
    }
    return nullptr;
}

}  // namespace

AccessiblePlane::AccessiblePlane(PlaneWidget* pane)
    : QAccessibleWidget(pane, QAccessible::Canvas) {}

QString AccessiblePlane::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        return static_cast<const PlaneWidget*>(widget())->readout();
    }
    return QAccessibleWidget::text(t);
}

void AccessiblePlane::install() {
    static const bool installed = [] {
        QAccessible::installFactory(planeFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace zw
