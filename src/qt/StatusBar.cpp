#include "qt/StatusBar.h"

#include <QLabel>

namespace zw {

StatusBar::StatusBar(QWidget* parent)
    : QStatusBar(parent),
      pointer_(new QLabel(this)),
      function_(new QLabel(this)),
      note_(new QLabel(this)),
      zoom_(new QLabel(this)) {
    setObjectName(QStringLiteral("statusBar"));
    pointer_->setObjectName(QStringLiteral("pointerReadout"));
    function_->setObjectName(QStringLiteral("functionName"));
    note_->setObjectName(QStringLiteral("note"));
    zoom_->setObjectName(QStringLiteral("zoom"));
    // The readout changes width with every move; it must not push the labels on its right.
    pointer_->setMinimumWidth(1);
    pointer_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    function_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    function_->setMinimumWidth(120);
    function_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    function_->setContentsMargins(8, 0, 8, 0);
    zoom_->setContentsMargins(8, 0, 4, 0);
    addWidget(pointer_, 3);
    addWidget(function_, 2);
    note_->setContentsMargins(8, 0, 8, 0);
    note_->hide();
    addPermanentWidget(note_);
    addPermanentWidget(zoom_);
    setSizeGripEnabled(false);
}

void StatusBar::setPointerText(const QString& text) {
    pointer_->setText(text);
}

void StatusBar::setFunctionText(const QString& text) {
    function_->setText(text);
    function_->setToolTip(text);
}

void StatusBar::setZoomText(const QString& text) {
    zoom_->setText(text);
}

void StatusBar::setNoteText(const QString& text) {
    if (note_->text() != text) {
        note_->setText(text);
        note_->setVisible(!text.isEmpty());
    }
}

QString StatusBar::noteText() const {
    return note_->text();
}

QString StatusBar::pointerText() const {
    return pointer_->text();
}

QString StatusBar::functionText() const {
    return function_->text();
}

QString StatusBar::zoomText() const {
    return zoom_->text();
}

}  // namespace zw
