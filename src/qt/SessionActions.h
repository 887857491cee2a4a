#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include "qt/PictureExporter.h"
#include "session/RecentFiles.h"
#include "session/SessionDocument.h"

class QAction;
class QMenu;

namespace zw {

class MainWindow;
class MenuBuilder;

// What the File menu's session items do (New, Open..., Open Recent, Save, Save As..., Export
// Picture...), the window title with the file's name and modified marker, and the question before
// paths are lost. The recent sessions are kept in the application's settings.
class SessionActions : public QObject {
    Q_OBJECT

  public:
    // Takes the actions of the session items of `menus`.
    SessionActions(MainWindow* window, const MenuBuilder& menus);

    SessionDocument& document() { return document_; }
    // Newest first, as Open Recent lists them.
    const RecentFiles& recentFiles() const { return recent_; }
    QMenu* recentMenu() const { return recentMenu_; }

    // Each reports a failure in an alert and returns false; nothing changes then.
    bool openFile(const QString& path);
    bool saveFile(const QString& path);
    // A picture of the planes as they show, without the pointer's readout; at a scale above 1
    // the same view in more pixels (a PNG) or a larger document (an SVG).
    bool exportPicture(const QString& path, PictureExporter::Planes planes, int scale = 1);
    // Before the session goes away: true when it may (saved, discarded or unchanged).
    bool mayClose();
    // As Open... with this file chosen; a file that is gone leaves the list with a notice.
    bool openRecent(const QString& path);
    // A recovery copy, opened as the unsaved session `path` it was (empty: Untitled).
    bool openRecovered(const QString& copy, const QString& path);

  signals:
    // The title was brought up to date: after every event, action, open and save.
    void titleRefreshed();

  public slots:
    void startNew();
    void open();
    bool save();
    bool saveAs();
    void exportPictureAs();
    void refreshTitle();
    void clearRecent();

  private:
    void showCoefficients();
    void remember(const QString& path);
    void storeRecent();
    void rebuildRecentMenu();

    MainWindow* window_;
    SessionDocument document_;
    RecentFiles recent_;
    QMenu* recentMenu_;
    QAction* clearRecent_;
    // The sessions' items and the separator above Clear Menu, made afresh on each change.
    QList<QAction*> recentItems_;
};

}  // namespace zw
