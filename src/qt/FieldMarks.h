#pragma once

class QLabel;
class QLineEdit;
class QWidget;

namespace zw {

// How the dialogs show what is wrong with a typed field: a message under it and the wrong
// characters marked in it.
namespace FieldMarks {

// An empty message line for under a field.
QLabel* messageLabel(QWidget* parent);
// Marks `length` characters from `start` of the field's text as wrong; length 0 clears it.
void mark(QLineEdit* field, int start, int length);

}  // namespace FieldMarks

}  // namespace zw
