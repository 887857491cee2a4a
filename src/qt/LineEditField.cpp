#include "qt/LineEditField.h"

#include <QLineEdit>

namespace zw {

std::string LineEditField::stringValue() const {
    return edit_->text().toStdString();
}

}  // namespace zw
