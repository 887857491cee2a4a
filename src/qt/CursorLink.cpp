#include "qt/CursorLink.h"

#include <string>
#include <utility>
#include <vector>

#include "app/FeatureFinder.h"
#include "app/StatusText.h"
#include "engine/FunctionName.h"
#include "engine/Transformations.h"
#include "platform/Translatable.h"
#include "qt/MainWindow.h"
#include "qt/PlaneWidget.h"
#include "qt/StatusBar.h"
#include "qt/Translation.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

CursorLink::CursorLink(MainWindow* window, StatusBar* statusBar)
    : QObject(window),
      window_(window),
      statusBar_(statusBar),
      cursor_(*window->controller(), *window->domainView(), *window->rangeView()) {
    for (PlaneWidget* pane : {window->domainPane(), window->rangePane()}) {
        connect(pane, &PlaneWidget::pointerChanged, this, &CursorLink::refresh);
        connect(pane, &PlaneWidget::eventHandled, this, &CursorLink::refresh);
    }
    connect(window, &MainWindow::actionHandled, this, &CursorLink::refresh);
    refresh();
}

void CursorLink::setMarkersShown(bool shown) {
    cursor_.markersShown = shown;
    refresh();
}

void CursorLink::refresh() {
    PlaneWidget* domainPane = window_->domainPane();
    PlaneWidget* rangePane = window_->rangePane();
    if (const auto at = domainPane->pointer()) {
        cursor_.pointerAt(LinkedCursor::Pane::Domain, *at);
    } else if (const auto w = rangePane->pointer()) {
        cursor_.pointerAt(LinkedCursor::Pane::Range, *w);
    } else {
        cursor_.pointerLeft();
    }
    const LinkedCursor::Reading reading = cursor_.read();
    const bool hovering = domainPane->hovering() || rangePane->hovering();
    domainPane->setMarkers(hovering ? reading.domainMarkers : std::vector<CGPoint>{});
    std::vector<CGPoint> rangeMarkers;
    if (hovering && reading.rangeMarker) {
        rangeMarkers.push_back(*reading.rangeMarker);
    }
    rangePane->setMarkers(std::move(rangeMarkers));

    // A mark under the pointer is named instead of the point.
    std::string pointerText;
    if (const auto at = domainPane->pointer()) {
        pointerText = FeatureFinder::nameUnder(*window_->domainView(), *at);
    } else if (const auto w = rangePane->pointer()) {
        pointerText = FeatureFinder::nameUnder(*window_->rangeView(), *w);
    }
    if (pointerText.empty()) {
        pointerText = StatusText::pointer(reading);
    }
    statusBar_->setPointerText(translation::shown(i18n::kStatus, pointerText));
    if (const Transformations* engine = window_->controller()->transformations) {
        statusBar_->setFunctionText(
            QString::fromStdString(functionDisplayName(engine->activeFunction())));
    }
    statusBar_->setNoteText(translation::shown(
        i18n::kStatus, StatusText::note(window_->controller()->nowhereFinite())));
    statusBar_->setZoomText(translation::shown(
        i18n::kStatus,
        StatusText::zooms(window_->domainView()->scaleFactor, window_->rangeView()->scaleFactor)));
}

}  // namespace zw
