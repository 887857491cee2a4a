#include "qt/PictureExporter.h"

#include <QBuffer>
#include <QPainter>
#include <QPicture>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <vector>

#include "planes/PlaneView.h"
#include "qt/QtCanvas.h"
#include "views/DomainView.h"

namespace zw {

namespace {

const QColor kGapColor(0xEF, 0xEF, 0xEF);

// The planes a picture shows, left to right.
std::vector<PlaneView*> chosen(PlaneView& domain, PlaneView& range, PictureExporter::Planes p) {
    switch (p) {
        case PictureExporter::Planes::Domain:
            return {&domain};
        case PictureExporter::Planes::Range:
            return {&range};
        case PictureExporter::Planes::Both:
            break;
    }
    return {&domain, &range};
}

QSize planeSize(const PlaneView& plane) {
    return QSize(std::max(1, static_cast<int>(plane.viewWidth)),
                 std::max(1, static_cast<int>(plane.viewHeight)));
}

// An image of the plane's size at `ratio` device pixels per unit, white, for a pass to draw on.
QImage blankImage(const PlaneView& plane, qreal ratio) {
    const QSize size = planeSize(plane);
    QImage image(static_cast<int>(std::ceil(size.width() * ratio)),
                 static_cast<int>(std::ceil(size.height() * ratio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

// Passes one half of a complete pass on: the background (the fills that come before anything
// else is drawn: the white and the shading boxes) or everything after it.
class LayerFilter : public Canvas {
  public:
    enum class Keep { Background, Rest };
    LayerFilter(Canvas& inner, Keep keep) : inner_(inner), keep_(keep) {}

    void setColor(const Color& color) override { inner_.setColor(color); }
    Color currentColor() const override { return inner_.currentColor(); }
    void fillRect(CGRect rect) override {
        if (inBackground_ == (keep_ == Keep::Background)) {
            inner_.fillRect(rect);
        }
    }
    void strokePath(const BezierPath& path) override {
        if (rest()) {
            inner_.strokePath(path);
        }
    }
    void fillPath(const BezierPath& path) override {
        if (rest()) {
            inner_.fillPath(path);
        }
    }
    CGSize sizeOfText(const std::string& text, const TextAttributes& attributes) override {
        return inner_.sizeOfText(text, attributes);
    }
    void drawText(const std::string& text, CGPoint point,
                  const TextAttributes& attributes) override {
        if (rest()) {
            inner_.drawText(text, point, attributes);
        }
    }

  private:
    bool rest() {
        inBackground_ = false;
        return keep_ == Keep::Rest;
    }

    Canvas& inner_;
    Keep keep_;
    bool inBackground_ = true;
};

// Tens of thousands of shading boxes make a heavy drawing and show seams in some viewers;
// they go into the picture as one image instead.
bool shaded(const PlaneView& plane) {
    const auto* domain = dynamic_cast<const DomainView*>(&plane);
    return domain != nullptr && (domain->showContours || domain->showArguments);
}

// One complete pass of a plane onto a canvas that is not its pane's. The plane's own
// bookkeeping is put back afterwards, so that its pane's next pass is what it would have been.
// A picture is a figure: the pointer's readout stays on the screen.
void drawAfresh(PlaneView& plane, Canvas& canvas) {
    const bool complete = plane.needsCompleteRedraw;
    const CGRect coordsRect = plane.coordsRect;
    const CGRect oldCoordsRect = plane.oldCoordsRect;
    const bool readout = plane.showsReadout;
    plane.needsCompleteRedraw = true;
    plane.showsReadout = false;
    plane.drawRect(canvas, plane.bounds());
    plane.showsReadout = readout;
    plane.needsCompleteRedraw = complete;
    plane.coordsRect = coordsRect;
    plane.oldCoordsRect = oldCoordsRect;
}

}  // namespace

QImage PictureExporter::compose(const QImage& domain, const QImage& range, Planes planes) {
    std::vector<const QImage*> images;
    if (planes != Planes::Range) {
        images.push_back(&domain);
    }
    if (planes != Planes::Domain) {
        images.push_back(&range);
    }
    const qreal ratio = images.front()->devicePixelRatio();
    const int gap = static_cast<int>(kGap * ratio + 0.5);
    int width = gap * static_cast<int>(images.size() - 1);
    int height = 0;
    for (const QImage* image : images) {
        width += image->width();
        height = std::max(height, image->height());
    }
    QImage out(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    out.fill(kGapColor);
    int x = 0;
    for (const QImage* image : images) {
        // Copied pixel for pixel, not painted: the picture is exactly the pane's image.
        const QImage pixels = image->convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < pixels.height(); ++y) {
            std::copy_n(reinterpret_cast<const QRgb*>(pixels.constScanLine(y)), pixels.width(),
                        reinterpret_cast<QRgb*>(out.scanLine(y)) + x);
        }
        x += image->width() + gap;
    }
    out.setDevicePixelRatio(ratio);
    return out;
}

QImage PictureExporter::render(PlaneView& domain, PlaneView& range, Planes planes, qreal ratio) {
    std::vector<QImage> images;
    for (PlaneView* plane : chosen(domain, range, planes)) {
        QImage image = blankImage(*plane, ratio);
        {
            QtCanvas canvas(&image);
            drawAfresh(*plane, canvas);
        }
        images.push_back(std::move(image));
    }
    return images.size() == 1 ? images.front() : compose(images[0], images[1], Planes::Both);
}

QSize PictureExporter::sizeOf(const PlaneView& domain, const PlaneView& range, Planes planes) {
    const QSize d = planeSize(domain);
    const QSize r = planeSize(range);
    switch (planes) {
        case Planes::Domain:
            return d;
        case Planes::Range:
            return r;
        case Planes::Both:
            break;
    }
    return QSize(d.width() + kGap + r.width(), std::max(d.height(), r.height()));
}

QByteArray PictureExporter::svg(PlaneView& domain, PlaneView& range, Planes planes, int scale) {
    const std::vector<PlaneView*> shown = chosen(domain, range, planes);
    const int width = sizeOf(domain, range, planes).width();
    const int height = sizeOf(domain, range, planes).height();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    // Scaled, the document is larger and its embedded shading finer; its view box, in which
    // everything is drawn, stays the plane's.
    generator.setSize(QSize(width * scale, height * scale));
    generator.setViewBox(QRect(0, 0, width, height));
    generator.setTitle(QStringLiteral("zwmap"));
    // One view unit is one CSS pixel.
    generator.setResolution(96);
    {
        QPainter painter(&generator);
        painter.fillRect(QRect(0, 0, width, height), kGapColor);
        int x = 0;
        for (PlaneView* plane : shown) {
            // Each plane is recorded apart and played back in its place, clipped to it.
            const QSize size = planeSize(*plane);
            QImage background;
            QPicture picture;
            if (shaded(*plane)) {
                background = blankImage(*plane, scale);
                QtCanvas canvas(&background);
                LayerFilter filter(canvas, LayerFilter::Keep::Background);
                drawAfresh(*plane, filter);
            }
            {
                QtCanvas canvas(&picture, size);
                if (background.isNull()) {
                    drawAfresh(*plane, canvas);
                } else {
                    LayerFilter filter(canvas, LayerFilter::Keep::Rest);
                    drawAfresh(*plane, filter);
                }
            }
            painter.save();
            painter.translate(x, 0);
            painter.setClipRect(QRect(QPoint(0, 0), size));
            if (!background.isNull()) {
                painter.drawImage(0, 0, background);
            }
            painter.drawPicture(0, 0, picture);
            painter.restore();
            x += planeSize(*plane).width() + kGap;
        }
    }
    return buffer.data();
}

QByteArray PictureExporter::png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool PictureExporter::planesFromName(const QString& name, Planes& planes) {
    if (name == QStringLiteral("both")) {
        planes = Planes::Both;
    } else if (name == QStringLiteral("domain")) {
        planes = Planes::Domain;
    } else if (name == QStringLiteral("range")) {
        planes = Planes::Range;
    } else {
        return false;
    }
    return true;
}

bool PictureExporter::isSvg(const QString& path) {
    return path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
}

bool PictureExporter::isPng(const QString& path) {
    return path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
}

}  // namespace zw
