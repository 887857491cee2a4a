#include "planes/AxisLabel.h"

#include "platform/Canvas.h"

namespace zw {

void AxisLabel::drawLabel(Canvas& canvas) const {
    static const TextAttributes kDefault;
    canvas.drawText(label, point, attributes != nullptr ? *attributes : kDefault);
}

}  // namespace zw
