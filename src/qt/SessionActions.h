#pragma once

#include <QObject>
#include <QString>

#include "qt/PictureExporter.h"
#include "session/SessionDocument.h"

namespace zw {

class MainWindow;
class MenuBuilder;

// What the File menu's session items do (Open..., Save, Save As..., Export Picture...), the window
// title with the file's name and modified marker, and the question before paths are lost.
class SessionActions : public QObject {
    Q_OBJECT

  public:
    // Takes the actions of the session items of `menus`.
    SessionActions(MainWindow* window, const MenuBuilder& menus);

    SessionDocument& document() { return document_; }

    // Each reports a failure in an alert and returns false; nothing changes then.
    bool openFile(const QString& path);
    bool saveFile(const QString& path);
    // A picture of the planes as they show, without the pointer's readout; at a scale above 1
    // the same view in more pixels (a PNG) or a larger document (an SVG).
    bool exportPicture(const QString& path, PictureExporter::Planes planes, int scale = 1);
    // Before the session goes away: true when it may (saved, discarded or unchanged).
    bool mayClose();

  public slots:
    void open();
    bool save();
    bool saveAs();
    void exportPictureAs();
    void refreshTitle();

  private:
    void showCoefficients();

    MainWindow* window_;
    SessionDocument document_;
};

}  // namespace zw
