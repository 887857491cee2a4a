#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace zw {

class PlaneView;

// Pictures of the two planes, side by side as the window shows them, or of one plane.
class PictureExporter {
  public:
    enum class Planes { Both, Domain, Range };
    // Between the planes, as the window's splitter shows them.
    static constexpr int kGap = 6;

    // The panes' own images side by side: exactly what is on the screen, at its pixel ratio.
    static QImage compose(const QImage& domain, const QImage& range, Planes planes);
    // The planes drawn afresh into images of their sizes, as their panes would show them.
    static QImage render(PlaneView& domain, PlaneView& range, Planes planes);
    // The planes drawn afresh as vectors: strokes, rectangles and text.
    static QByteArray svg(PlaneView& domain, PlaneView& range, Planes planes);
    static QByteArray png(const QImage& image);

    // Reads "both", "domain" or "range".
    static bool planesFromName(const QString& name, Planes& planes);
    // Whether the file name ends in .png or .svg (any case).
    static bool isSvg(const QString& path);
    static bool isPng(const QString& path);
};

}  // namespace zw
