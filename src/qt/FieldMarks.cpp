#include "qt/FieldMarks.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTextCharFormat>

namespace zw::FieldMarks {

QLabel* messageLabel(QWidget* parent) {
    // One line: the messages are short, and a wrapped one would not fit the row it has.
    auto* label = new QLabel(parent);
    label->setStyleSheet(QStringLiteral("color: #b00000;"));
    // A line's height even when empty, so the dialog does not jump as the text comes and goes.
    label->setMinimumHeight(label->fontMetrics().height());
    return label;
}

void mark(QLineEdit* field, int start, int length) {
    // A line edit takes formats for parts of its text only as an input method's attributes,
    // placed relative to the cursor; an empty list clears them.
    QList<QInputMethodEvent::Attribute> attributes;
    if (length > 0) {
        QTextCharFormat format;
        format.setBackground(QColor(255, 210, 210));
        format.setForeground(QColor(160, 0, 0));
        format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        format.setUnderlineColor(QColor(200, 0, 0));
        attributes.append(QInputMethodEvent::Attribute(
            QInputMethodEvent::TextFormat, start - field->cursorPosition(), length, format));
    }
    QInputMethodEvent event(QString(), attributes);
    QCoreApplication::sendEvent(field, &event);
}

}  // namespace zw::FieldMarks
