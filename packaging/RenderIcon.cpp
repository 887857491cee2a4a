// Build-time tool: renders the scalable icon into a square PNG of a given size, so that the
// fixed-size icons the desktop asks for always match the SVG and are never checked in.
//   zw_render_icon ICON.svg SIZE OUT.png
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: zw_render_icon ICON.svg SIZE OUT.png\n");
        return 2;
    }
    // The drawing has no text, so no application object (and no platform) is needed to paint
    // it into an image: the build machine may have no display.
    const QString source = QString::fromLocal8Bit(argv[1]);
    bool ok = false;
    const int size = QByteArray(argv[2]).toInt(&ok);
    if (!ok || size < 16 || size > 1024) {
        std::fprintf(stderr, "zw_render_icon: SIZE must be from 16 to 1024, not '%s'\n", argv[2]);
        return 2;
    }
    QSvgRenderer renderer(source);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "zw_render_icon: %s is not a drawing that can be rendered\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "zw_render_icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
