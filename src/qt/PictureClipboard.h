#pragma once

#include <QImage>
#include <QObject>

#include "qt/PictureExporter.h"

namespace zw {

class MainWindow;
class MenuBuilder;

// Edit > Copy Picture and Copy Focused Plane: the picture Export Picture would write as a PNG
// at scale 1 (the planes drawn afresh at the screen's pixel ratio, without the pointer's
// readout), put on the clipboard for a worksheet.
class PictureClipboard : public QObject {
    Q_OBJECT

  public:
    PictureClipboard(MainWindow* window, const MenuBuilder& menus);

    // The plane with the keys: the pane the window last gave the focus to.
    static PictureExporter::Planes focusedPlane(const MainWindow& window);
    static QImage picture(MainWindow& window, PictureExporter::Planes planes);
    // As a PNG, and as an image for the programs that take only that.
    static void copy(const QImage& image);

  private:
    MainWindow* window_;
};

}  // namespace zw
