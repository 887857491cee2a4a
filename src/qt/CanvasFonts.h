#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <string>

#include "platform/TextAttributes.h"

namespace zw {

// Text the program holds in UTF-8, as Qt holds it.
QString canvasText(const std::string& text);

// The font of a piece of text: the default is Helvetica 12, sized in pixels so that one
// point is one view unit.
QFont canvasFont(const TextAttributes& attributes);

struct CanvasFontEntry {
    QFont font;
    QFontMetricsF metrics;
};

// The font and its metrics, made once for each family and size. Every pass draws the same
// few fonts (labels and readout); building metrics each time would cost more than the text.
const CanvasFontEntry& cachedCanvasFont(const TextAttributes& attributes);

}  // namespace zw
