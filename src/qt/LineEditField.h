#pragma once

#include "platform/Sender.h"

class QLineEdit;

namespace zw {

// A text field over a line edit; its string value is the text in UTF-8.
class LineEditField : public TextField {
  public:
    explicit LineEditField(QLineEdit* edit) : edit_(edit) {}
    std::string stringValue() const override;

  private:
    QLineEdit* edit_;
};

}  // namespace zw
