#include "qt/PictureClipboard.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/Commands.h"
#include "qt/MainWindow.h"
#include "qt/MenuBuilder.h"
#include "qt/PlaneWidget.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

PictureClipboard::PictureClipboard(MainWindow* window, const MenuBuilder& menus)
    : QObject(window), window_(window) {
    connect(menus.action(command::kCopyPicture), &QAction::triggered, this,
            [this] { copy(picture(*window_, PictureExporter::Planes::Both)); });
    connect(menus.action(command::kCopyFocusedPlane), &QAction::triggered, this,
            [this] { copy(picture(*window_, focusedPlane(*window_))); });
}

PictureExporter::Planes PictureClipboard::focusedPlane(const MainWindow& window) {
    // The window remembers the widget that had the focus while a menu or another window has it.
    return window.focusWidget() == window.rangePane() ? PictureExporter::Planes::Range
                                                      : PictureExporter::Planes::Domain;
}

QImage PictureClipboard::picture(MainWindow& window, PictureExporter::Planes planes) {
    return PictureExporter::render(*window.domainView(), *window.rangeView(), planes,
                                   window.domainPane()->devicePixelRatioF());
}

void PictureClipboard::copy(const QImage& image) {
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/png"), PictureExporter::png(image));
    data->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace zw
