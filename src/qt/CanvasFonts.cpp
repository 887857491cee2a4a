#include "qt/CanvasFonts.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace zw {

namespace {

constexpr double kDefaultFontSize = 12.0;
const char* const kDefaultFontFamily = "Helvetica";

}  // namespace

QString canvasText(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont canvasFont(const TextAttributes& attributes) {
    QFont font(attributes.isDefault() ? QString::fromLatin1(kDefaultFontFamily)
                                      : canvasText(attributes.fontFamily));
    const double size = attributes.isDefault() || !(attributes.pointSize > 0.0)
                            ? kDefaultFontSize
                            : std::min(attributes.pointSize, 1000.0);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

const CanvasFontEntry& cachedCanvasFont(const TextAttributes& attributes) {
    // Never destroyed: fonts must not outlive the application object at exit.
    static auto* cache = new std::map<std::pair<std::string, double>, CanvasFontEntry>();
    const auto key = std::make_pair(attributes.fontFamily, attributes.pointSize);
    auto it = cache->find(key);
    if (it == cache->end()) {
        const QFont font = canvasFont(attributes);
        it = cache->emplace(key, CanvasFontEntry{font, QFontMetricsF(font)}).first;
    }
    return it->second;
}

}  // namespace zw
