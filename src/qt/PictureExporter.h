#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace zw {

class PlaneView;

// Pictures of the two planes, side by side as the window shows them, or of one plane.
class PictureExporter {
  public:
    enum class Planes { Both, Domain, Range };
    // Between the planes, as the window's splitter shows them.
    static constexpr int kGap = 6;

    // Two images side by side (or one of them), the gap between them at their pixel ratio.
    static QImage compose(const QImage& domain, const QImage& range, Planes planes);
    // Pictures leave out the pointer's corner readout, which follows the pointer on the screen.
    // The planes drawn afresh into images of their sizes at `ratio` device pixels per unit (a
    // pane's own ratio, times a scale): the same view, sharper as the ratio grows.
    static QImage render(PlaneView& domain, PlaneView& range, Planes planes, qreal ratio = 1.0);
    // The planes drawn afresh as vectors: strokes, rectangles and text. With a scale, the
    // document is `scale` times as large and its embedded shading as much finer.
    static QByteArray svg(PlaneView& domain, PlaneView& range, Planes planes, int scale = 1);
    // The picture's size in view units: the planes shown and the gap between them.
    static QSize sizeOf(const PlaneView& domain, const PlaneView& range, Planes planes);
    // The largest scale a picture is made at.
    static constexpr int kMaxScale = 8;
    static QByteArray png(const QImage& image);

    // Reads "both", "domain" or "range".
    static bool planesFromName(const QString& name, Planes& planes);
    // Whether the file name ends in .png or .svg (any case).
    static bool isSvg(const QString& path);
    static bool isPng(const QString& path);
};

}  // namespace zw
