#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <functional>

#include "WindowTest.h"
#include "engine/FormulaMaps.h"
#include "engine/Transformations.h"
#include "engine/UserMaps.h"
#include "qt/CommandLine.h"
#include "qt/ExportDialog.h"
#include "qt/FormulaDialog.h"
#include "qt/ParameterDialog.h"
#include "qt/SessionActions.h"
#include "qt/StatusBar.h"
#include "session/Session.h"
#include "session/SessionReader.h"
#include "session/SessionWriter.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw::test {
namespace {

class SessionWindowTest : public WindowTest {
  protected:
    QString file(const QString& name) const { return dir.filePath(name); }
    SessionActions* session() const { return window->sessionActions(); }

    // Two paths in the domain under "Square", with the range zoomed out to show their images.
    void drawTwoPaths() {
        trigger("Function", "Square");
        trigger("Range", "Zoom Out");
        trigger("Domain", "Shade by Argument");
        drag(domainPane(), {{120, 100}, {160, 130}, {200, 140}});
        trigger("Range", "Red");
        drag(domainPane(), {{300, 300}, {260, 250}});
        // As any later redraw shows them: segments drawn while dragging lie over the grid.
        window->domainView()->setNeedsCompleteRedraw();
        window->rangeView()->needsCompleteRedraw = true;
        window->rangeView()->setNeedsDisplay(true);
        settle();
    }

    // The panes' pictures without the coordinate readouts, which follow the pointer.
    static QImage view(const PlaneWidget* pane) {
        const QImage& image = pane->image();
        return image.copy(0, 0, image.width(), image.height() - 20);
    }

    QTemporaryDir dir;
};

TEST_F(SessionWindowTest, SavedSessionReopensToTheSamePanes) {
    drawTwoPaths();
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("zwmap[*]"));
    ASSERT_TRUE(session()->saveFile(file("two.zwmap")));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("two.zwmap[*] - zwmap"));
    const QImage domainBefore = view(domainPane());
    const QImage rangeBefore = view(rangePane());

    // A new window, as after quitting and starting again.
    alerts.reset();
    window.reset();
    window = std::make_unique<MainWindow>();
    alerts = std::make_unique<AlertWatchdog>();
    window->show();
    settle();
    ASSERT_TRUE(session()->openFile(file("two.zwmap")));
    settle();
    EXPECT_EQ(changedPixels(view(domainPane()), domainBefore, 0), 0);
    EXPECT_EQ(changedPixels(view(rangePane()), rangeBefore, 0), 0);
    EXPECT_TRUE(action("Function", "Square")->isChecked());
    EXPECT_FALSE(action("Function", "Exponentiate")->isChecked());
    EXPECT_TRUE(action("Domain", "Shade by Argument")->isChecked());
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_FALSE(action("Edit", "Undo")->isEnabled()) << "the history is not saved";

    // Menu actions that change the paths mark the session as they do.
    trigger("Edit", "Remove Last Path");
    settle();
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("two.zwmap[*] - zwmap"));
}

TEST_F(SessionWindowTest, OpeningMovesTheColourAndFollowingMarksToTheFile) {
    trigger("Domain", "Colour Wheel");
    trigger("View", "Follow Curves Near Poles");
    ASSERT_TRUE(session()->saveFile(file("options.zwmap")));
    QFile saved(file("options.zwmap"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    // The same file as written before the two options were kept.
    QString old = QString::fromUtf8(saved.readAll());
    old.remove(QStringLiteral(",\n  \"colours\": \"colourWheel\""));
    old.remove(QStringLiteral("\n  \"followCurvesNearPoles\": true,"));
    ASSERT_FALSE(old.contains(QStringLiteral("colour"))) << old.toStdString();
    QFile older(file("old.zwmap"));
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.write(old.toUtf8());
    older.close();

    QAction* follow = action("View", "Follow Curves Near Poles");
    ASSERT_TRUE(session()->openFile(file("old.zwmap")));
    EXPECT_TRUE(action("Domain", "Classic")->isChecked());
    EXPECT_FALSE(action("Domain", "Colour Wheel")->isChecked());
    EXPECT_FALSE(follow->isChecked());
    EXPECT_EQ(window->domainView()->shadingColours, ShadingColours::Classic);
    EXPECT_FALSE(window->controller()->followCurvesNearPoles);

    ASSERT_TRUE(session()->openFile(file("options.zwmap")));
    EXPECT_TRUE(action("Domain", "Colour Wheel")->isChecked());
    EXPECT_FALSE(action("Domain", "Classic")->isChecked());
    EXPECT_TRUE(follow->isChecked());
    EXPECT_TRUE(window->controller()->followCurvesNearPoles);
    // The marks and the state agree: the next click turns following off, not on again.
    trigger("View", "Follow Curves Near Poles");
    EXPECT_FALSE(window->controller()->followCurvesNearPoles);
    EXPECT_FALSE(follow->isChecked());
}

TEST_F(SessionWindowTest, AnOpenedMapShowsItsCoefficientsInItsDialog) {
    window->controller()->setParameters("usersMobiusMap", 0.1f, -2.5f, 0, 1, 0, 0, 1e-7f, 0);
    drag(domainPane(), {{100, 100}, {150, 120}});
    ASSERT_TRUE(session()->saveFile(file("map.zwmap")));
    trigger("Function", "Sin");
    ASSERT_TRUE(session()->openFile(file("map.zwmap")));
    EXPECT_EQ(engine::func, &usersMobiusMap);
    EXPECT_EQ(window->mobiusDialog()->field(0)->text(), QStringLiteral("0.1"));
    EXPECT_EQ(window->mobiusDialog()->field(1)->text(), QStringLiteral("-2.5"));
    EXPECT_EQ(window->mobiusDialog()->field(6)->text(), QStringLiteral("1e-07"));
    for (const QString& title : MainWindow::functionTitles()) {
        EXPECT_FALSE(action("Function", title)->isChecked()) << title.toStdString();
    }

    // Opened while the dialog is up with other numbers in it: Cancel keeps the file's.
    window->mobiusDialog()->field(0)->setText(QStringLiteral("3"));
    trigger("Function", "Möbius Map...");
    window->mobiusDialog()->field(0)->setText(QStringLiteral("7"));
    ASSERT_TRUE(session()->openFile(file("map.zwmap")));
    window->mobiusDialog()->cancelButton()->click();
    EXPECT_EQ(window->mobiusDialog()->field(0)->text(), QStringLiteral("0.1"));
}

TEST_F(SessionWindowTest, AnOpenedFormulaIsMarkedNamedAndShownInItsDialog) {
    std::string error;
    ASSERT_TRUE(window->controller()->setFormula("(z-i)/(z+i)", "i(1+w)/(1-w)", error)) << error;
    drag(domainPane(), {{100, 100}, {150, 120}});
    ASSERT_TRUE(session()->saveFile(file("formula.zwmap")));
    trigger("Function", "Sin");
    ASSERT_TRUE(action("Function", "Sin")->isChecked());

    ASSERT_TRUE(session()->openFile(file("formula.zwmap")));
    settle();
    EXPECT_EQ(engine::func, formulaFunction);
    EXPECT_TRUE(action("Function", "Formula...")->isChecked());
    EXPECT_FALSE(action("Function", "Sin")->isChecked());
    EXPECT_EQ(window->statusLine()->functionText(), QStringLiteral("f(z) = (z-i)/(z+i)"));
    trigger("Function", "Formula...");
    EXPECT_EQ(window->formulaDialog()->formulaField()->text(), QStringLiteral("(z-i)/(z+i)"));
    EXPECT_EQ(window->formulaDialog()->inverseField()->text(), QStringLiteral("i(1+w)/(1-w)"));
    window->formulaDialog()->reject();
}

TEST_F(SessionWindowTest, BrokenFileIsExplainedAndChangesNothing) {
    drawTwoPaths();
    const QImage before = view(rangePane());
    QFile broken(file("broken.zwmap"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{\"format\": \"zwmap-session\", \"version\": 7}");
    broken.close();
    alerts->expect();
    EXPECT_FALSE(session()->openFile(file("broken.zwmap")));
    settle();
    ASSERT_EQ(alerts->alerts().size(), 1u);
    EXPECT_EQ(alerts->alerts()[0].title, "The session could not be opened.");
    EXPECT_EQ(alerts->alerts()[0].message,
              file("broken.zwmap").toStdString() + ": made by a newer zwmap (version 7)");
    EXPECT_EQ(changedPixels(view(rangePane()), before, 0), 0);
    EXPECT_EQ(window->domainView()->paths.size(), 2u);
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(SessionWindowTest, FailedSaveSaysSoAndStaysModified) {
    drawTwoPaths();
    alerts->expect();
    EXPECT_FALSE(session()->saveFile(file("no/such/folder/x.zwmap")));
    ASSERT_EQ(alerts->alerts().size(), 1u);
    EXPECT_EQ(alerts->alerts()[0].title, "The session could not be saved.");
    EXPECT_TRUE(window->isWindowModified());

    // A save that fails leaves the previous file as it was: here the folder has become
    // read-only, so no temporary file can be made beside it.
    ASSERT_TRUE(session()->saveFile(file("kept.zwmap")));
    QFile kept(file("kept.zwmap"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    const QByteArray saved = kept.readAll();
    kept.close();
    drag(domainPane(), {{50, 50}, {80, 60}});
    settle();
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    // Root writes into read-only folders anyway; then there is nothing to see here.
    if (!QFileInfo(dir.path()).isWritable() && access(dir.path().toLocal8Bit(), W_OK) != 0) {
        alerts->expect();
        EXPECT_FALSE(session()->saveFile(file("kept.zwmap")));
        EXPECT_TRUE(window->isWindowModified());
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), saved);
    }
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(SessionWindowTest, ClosingWithUnsavedPathsAsksFirst) {
    // Nothing drawn: no question.
    window->close();
    EXPECT_FALSE(window->isVisible());
    window->show();
    settle();

    drawTwoPaths();
    alerts->expect(kAlertAlternateReturn);  // Cancel
    window->close();
    ASSERT_EQ(alerts->alerts().size(), 1u);
    EXPECT_EQ(alerts->alerts()[0].title, "Save changes to Untitled?");
    EXPECT_TRUE(window->isVisible());

    alerts->expect(kAlertOtherReturn);  // Discard
    window->close();
    EXPECT_FALSE(window->isVisible());
}

std::string sessionNow(MainWindow& window) {
    return SessionWriter::write(Session::capture(*window.controller()));
}

TEST_F(SessionWindowTest, NewAsksAsOpenDoesThenGivesTheWindowAsItStarts) {
    const std::string fresh = sessionNow(*window);
    // Nothing to lose: no question (the watchdog fails any alert not expected).
    trigger("File", "New");
    EXPECT_EQ(sessionNow(*window), fresh);

    drawTwoPaths();
    ASSERT_TRUE(session()->saveFile(file("a.zwmap")));
    drag(domainPane(), {{50, 50}, {80, 60}});
    settle();
    const std::string drawn = sessionNow(*window);
    ASSERT_NE(drawn, fresh);

    alerts->expect(kAlertAlternateReturn);  // Cancel
    trigger("File", "New");
    ASSERT_EQ(alerts->alerts().size(), 1u);
    EXPECT_EQ(alerts->alerts()[0].title, "Save changes to a.zwmap?");
    EXPECT_EQ(sessionNow(*window), drawn);
    EXPECT_TRUE(window->isWindowModified());

    // Save writes the three paths to the file first.
    alerts->expect(kAlertDefaultReturn);
    trigger("File", "New");
    settle();
    Session saved;
    std::string error;
    ASSERT_TRUE(SessionReader::load(file("a.zwmap").toStdString(), saved, error)) << error;
    EXPECT_EQ(saved.domain.paths.size(), 3u);
    EXPECT_EQ(sessionNow(*window), fresh);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("zwmap"));
    EXPECT_TRUE(session()->document().path().empty());
    EXPECT_FALSE(action("Edit", "Undo")->isEnabled());
    EXPECT_FALSE(action("Function", "Square")->isChecked());
    EXPECT_FALSE(action("Domain", "Shade by Argument")->isChecked());

    // Discard leaves the file as it was.
    drawTwoPaths();
    alerts->expect(kAlertOtherReturn);
    trigger("File", "New");
    EXPECT_EQ(sessionNow(*window), fresh);
    EXPECT_FALSE(window->isWindowModified());
    ASSERT_TRUE(SessionReader::load(file("a.zwmap").toStdString(), saved, error)) << error;
    EXPECT_EQ(saved.domain.paths.size(), 3u);
}

// Open Recent's rows: each session's name, then a line and Clear Menu.
std::vector<QString> recentRows(const SessionActions& session) {
    std::vector<QString> rows;
    for (const QAction* item : session.recentMenu()->actions()) {
        rows.push_back(item->isSeparator() ? QStringLiteral("---") : item->text());
    }
    return rows;
}

QAction* recentItem(const SessionActions& session, const QString& name) {
    for (QAction* item : session.recentMenu()->actions()) {
        if (item->text() == name) {
            return item;
        }
    }
    return nullptr;
}

TEST_F(SessionWindowTest, OpenRecentListsSessionsNewestFirstAcrossRunsAndDropsGoneOnes) {
    const QString clear = QStringLiteral("Clear Menu");
    const QString line = QStringLiteral("---");
    EXPECT_FALSE(session()->recentMenu()->menuAction()->isEnabled());
    EXPECT_EQ(recentRows(*session()), std::vector<QString>{clear});

    drawTwoPaths();
    ASSERT_TRUE(session()->saveFile(file("a.zwmap")));
    ASSERT_TRUE(session()->saveFile(file("b&c.zwmap")));
    EXPECT_TRUE(session()->recentMenu()->menuAction()->isEnabled());
    EXPECT_EQ(recentRows(*session()),
              (std::vector<QString>{QStringLiteral("b&&c.zwmap"), QStringLiteral("a.zwmap"), line,
                                    clear}));
    EXPECT_EQ(recentItem(*session(), QStringLiteral("a.zwmap"))->statusTip(), file("a.zwmap"));

    // The list outlives the window.
    alerts.reset();
    window.reset();
    window = std::make_unique<MainWindow>();
    alerts = std::make_unique<AlertWatchdog>();
    window->show();
    settle();
    EXPECT_EQ(recentRows(*session()),
              (std::vector<QString>{QStringLiteral("b&&c.zwmap"), QStringLiteral("a.zwmap"), line,
                                    clear}));
    recentItem(*session(), QStringLiteral("a.zwmap"))->trigger();
    settle();
    EXPECT_EQ(session()->document().path(), file("a.zwmap").toStdString());
    EXPECT_EQ(window->domainView()->paths.size(), 2u);
    EXPECT_EQ(recentRows(*session()),
              (std::vector<QString>{QStringLiteral("a.zwmap"), QStringLiteral("b&&c.zwmap"), line,
                                    clear}));

    // Changes are asked about as Open asks: Cancel opens nothing.
    drag(domainPane(), {{50, 50}, {80, 60}});
    settle();
    alerts->expect(kAlertAlternateReturn);
    recentItem(*session(), QStringLiteral("b&&c.zwmap"))->trigger();
    ASSERT_EQ(alerts->alerts().size(), 1u);
    EXPECT_EQ(alerts->alerts()[0].title, "Save changes to a.zwmap?");
    EXPECT_EQ(window->domainView()->paths.size(), 3u);

    // A file that is gone: a notice, no question, and it leaves the list.
    ASSERT_TRUE(QFile::remove(file("b&c.zwmap")));
    alerts->expect();
    recentItem(*session(), QStringLiteral("b&&c.zwmap"))->trigger();
    ASSERT_EQ(alerts->alerts().size(), 2u);
    EXPECT_EQ(alerts->alerts()[1].title, "\u201cb&c.zwmap\u201d no longer exists.");
    EXPECT_NE(alerts->alerts()[1].message.find(file("b&c.zwmap").toStdString()), std::string::npos);
    EXPECT_EQ(window->domainView()->paths.size(), 3u);
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(recentRows(*session()),
              (std::vector<QString>{QStringLiteral("a.zwmap"), line, clear}));

    trigger("File", "Clear Menu");
    EXPECT_EQ(recentRows(*session()), std::vector<QString>{clear});
    EXPECT_FALSE(session()->recentMenu()->menuAction()->isEnabled());
    window.reset();
    window = std::make_unique<MainWindow>();
    EXPECT_EQ(recentRows(*session()), std::vector<QString>{clear});
}

TEST_F(SessionWindowTest, EveryChangeToWhatTheFileHoldsMarksItAndChangingBackClearsIt) {
    EXPECT_FALSE(window->isWindowModified()) << "a new window has nothing to save";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("zwmap"));
    ASSERT_TRUE(session()->saveFile(file("s.zwmap")));
    const QString clean = QStringLiteral("s.zwmap[*] - zwmap");

    // Each change, then what takes it back.
    const std::vector<std::pair<std::function<void()>, std::function<void()>>> changes = {
        {[&] { trigger("Function", "Square"); }, [&] { trigger("Function", "Exponentiate"); }},
        {[&] { trigger("Domain", "Show Grid"); }, [&] { trigger("Domain", "Show Grid"); }},
        {[&] { trigger("Domain", "Show Axis Labels"); },
         [&] { trigger("Domain", "Show Axis Labels"); }},
        {[&] { trigger("Domain", "Shade by Modulus"); },
         [&] { trigger("Domain", "Shade by Modulus"); }},
        {[&] { trigger("Domain", "Highest Resolution"); },
         [&] { trigger("Domain", "Highest Resolution"); }},
        {[&] { trigger("Domain", "Show Path Images in Domain"); },
         [&] { trigger("Domain", "Show Path Images in Domain"); }},
        {[&] { trigger("Domain", "Colour Wheel"); }, [&] { trigger("Domain", "Classic"); }},
        {[&] { trigger("Range", "Show Grid Images"); },
         [&] { trigger("Range", "Show Grid Images"); }},
        {[&] { trigger("Range", "Show Grid"); }, [&] { trigger("Range", "Show Grid"); }},
        {[&] { trigger("View", "Follow Curves Near Poles"); },
         [&] { trigger("View", "Follow Curves Near Poles"); }},
        {[&] { trigger("Domain", "Zoom In"); }, [&] { trigger("Domain", "Zoom Out"); }},
        {[&] { trigger("Range", "Zoom Out"); }, [&] { trigger("Range", "Zoom In"); }},
        {[&] { trigger("Range", "Red"); }, [&] { trigger("Range", "Black"); }},
        {[&] { trigger("Domain", "Blue"); }, [&] { trigger("Domain", "Black"); }},
        {[&] { key(domainPane(), Qt::Key_Left); }, [&] { key(domainPane(), Qt::Key_Right); }},
        {[&] { key(rangePane(), Qt::Key_Up); }, [&] { key(rangePane(), Qt::Key_Down); }},
        {[&] {
             trigger("Function", "Formula...");
             window->formulaDialog()->formulaField()->setText(QStringLiteral("z^2+1"));
             window->formulaDialog()->okButton()->click();
         },
         [&] { trigger("Function", "Exponentiate"); }},
        {[&] {
             trigger("Function", "Möbius Map...");
             window->mobiusDialog()->field(2)->setText(QStringLiteral("1"));
             window->mobiusDialog()->okButton()->click();
         },
         [&] { trigger("Function", "Exponentiate"); }},
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        SCOPED_TRACE(i);
        changes[i].first();
        settle();
        EXPECT_TRUE(window->isWindowModified());
        EXPECT_EQ(window->windowTitle(), clean);
        changes[i].second();
        settle();
        EXPECT_FALSE(window->isWindowModified());
    }
    // The pointer's place is shown, not saved.
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 40), domainPane()->mapToGlobal(QPointF(40, 40)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(domainPane(), &move);
    settle();
    EXPECT_FALSE(window->isWindowModified());

    // A change the undo history takes back is judged by what the paths are, not by how many.
    drag(domainPane(), {{100, 100}, {150, 120}, {170, 170}});
    settle();
    ASSERT_TRUE(session()->saveFile(file("s.zwmap")));
    // The window's size is not saved, though the paths move with the pane's centre.
    window->resize(window->width() + 61, window->height() - 37);
    settle(300);
    EXPECT_FALSE(window->isWindowModified());
    trigger("Edit", "Undo Last Path Drawn");
    settle();
    EXPECT_TRUE(window->isWindowModified());
    trigger("Edit", "Redo Last Path Drawn");
    settle();
    EXPECT_FALSE(window->isWindowModified());
    // A path drawn after clearing, of as many points as the saved one, may take the saved
    // path's place in memory: it is still another path.
    alerts->expect();  // Clear all paths? OK
    trigger("Edit", "Clear All Paths...");
    drag(domainPane(), {{300, 100}, {350, 120}, {370, 170}});
    settle();
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(SessionWindowTest, QuitAsksOnceAndEndsOnDiscard) {
    drawTwoPaths();
    alerts->expect(kAlertAlternateReturn);  // Cancel
    trigger("File", "Quit");
    ASSERT_EQ(alerts->alerts().size(), 1u);
    EXPECT_TRUE(window->isVisible());

    // Quitting needs the running event loop, as in the application.
    alerts->expect(kAlertOtherReturn);  // Discard
    QTimer::singleShot(0, window.get(), [this] { trigger("File", "Quit"); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(10000);
    EXPECT_EQ(QApplication::exec(), 0) << "Quit did not end the application";
    EXPECT_EQ(alerts->alerts().size(), 2u) << "one question for one Quit";
    EXPECT_FALSE(window->isVisible());
}

// ---- Pictures ---------------------------------------------------------------------------------

TEST_F(SessionWindowTest, PngIsThePaneImagesSideBySide) {
    drawTwoPaths();
    ASSERT_TRUE(session()->exportPicture(file("both.png"), PictureExporter::Planes::Both));
    QImage both(file("both.png"));
    ASSERT_FALSE(both.isNull());
    both = both.convertToFormat(QImage::Format_RGB32);
    const QImage& d = domainPane()->image();
    const QImage& r = rangePane()->image();
    ASSERT_EQ(both.width(), d.width() + PictureExporter::kGap + r.width());
    ASSERT_EQ(both.height(), d.height());
    // Above the strip of the pointer's readout, which pictures leave out.
    const int h = d.height() - 20;
    EXPECT_EQ(both.copy(0, 0, d.width(), h),
              view(domainPane()).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(both.copy(d.width() + PictureExporter::kGap, 0, r.width(), h),
              view(rangePane()).convertToFormat(QImage::Format_RGB32));

    ASSERT_TRUE(session()->exportPicture(file("range.png"), PictureExporter::Planes::Range));
    EXPECT_EQ(
        QImage(file("range.png")).convertToFormat(QImage::Format_RGB32).copy(0, 0, r.width(), h),
        view(rangePane()).convertToFormat(QImage::Format_RGB32));
}

QImage clipboardPng() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasFormat(QStringLiteral("image/png"))) {
        ADD_FAILURE() << "no PNG on the clipboard";
        return QImage();
    }
    return QImage::fromData(data->data(QStringLiteral("image/png")), "PNG")
        .convertToFormat(QImage::Format_RGB32);
}

// What Copy Picture puts on the clipboard is what Export Picture writes as a PNG: both planes,
// or the one with the keys, at the screen's resolution.
TEST_F(SessionWindowTest, CopyPictureIsTheExportedPngOnTheClipboard) {
    drawTwoPaths();
    QGuiApplication::clipboard()->clear();
    const struct {
        const char* plane;  // given the keys first; null: both planes
        const char* item;
        PictureExporter::Planes planes;
    } cases[] = {
        {nullptr, "Copy Picture", PictureExporter::Planes::Both},
        {"Go to Range", "Copy Focused Plane", PictureExporter::Planes::Range},
        {"Go to Domain", "Copy Focused Plane", PictureExporter::Planes::Domain},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        if (c.plane != nullptr) {
            trigger("View", QString::fromUtf8(c.plane));
        }
        trigger("Edit", QString::fromUtf8(c.item));
        ASSERT_TRUE(session()->exportPicture(file("exported.png"), c.planes));
        const QImage exported = QImage(file("exported.png")).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(exported.isNull());
        const QImage copied = clipboardPng();
        EXPECT_EQ(copied.size(),
                  PictureExporter::sizeOf(*window->domainView(), *window->rangeView(), c.planes) *
                      domainPane()->devicePixelRatioF());
        EXPECT_TRUE(copied == exported) << "the copy differs from the export";
        EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull()) << "no image to paste";
    }
}

// Coordinates at Edges is part of the picture: exported from the window, and from the command
// line through the session that keeps it, the domain panned away from its real axis shows the
// axis's numbers along its bottom edge, clear of the corner the readout takes on the screen.
TEST_F(SessionWindowTest, ExportsShowTheCoordinatesAtTheEdges) {
    for (int i = 0; i < 4; ++i) {
        key(domainPane(), Qt::Key_Up);
    }
    settle();
    const QSize d = domainPane()->size();
    const QRect bottom(130, d.height() - 22, d.width() - 130, 22);
    auto darkAtBottom = [&](const QString& name) {
        const QImage picture = QImage(file(name)).convertToFormat(QImage::Format_RGB32);
        EXPECT_FALSE(picture.isNull()) << name.toStdString();
        return nonWhitePixels(picture, bottom);
    };
    ASSERT_TRUE(session()->exportPicture(file("axes.png"), PictureExporter::Planes::Domain));
    trigger("View", "Coordinates at Edges");
    ASSERT_TRUE(window->domainView()->coordinatesAtEdges &&
                window->rangeView()->coordinatesAtEdges);
    ASSERT_TRUE(session()->exportPicture(file("edges.png"), PictureExporter::Planes::Domain));
    ASSERT_TRUE(session()->saveFile(file("edges.zwmap")));
    QString error;
    ASSERT_TRUE(CommandLine::exportPicture(file("edges.zwmap"), file("cli.png"), d,
                                           PictureExporter::Planes::Domain, error))
        << error.toStdString();
    const int without = darkAtBottom(QStringLiteral("axes.png"));
    EXPECT_GT(darkAtBottom(QStringLiteral("edges.png")), without + 50);
    EXPECT_GT(darkAtBottom(QStringLiteral("cli.png")), without + 50);
}

// Share of pixels whose grey differs by more than a little, and the mean darkness of each.
struct Difference {
    double changed;
    double darknessA;
    double darknessB;
};

Difference compare(const QImage& a, const QImage& b) {
    long changed = 0;
    double darkA = 0;
    double darkB = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const int ga = qGray(a.pixel(x, y));
            const int gb = qGray(b.pixel(x, y));
            changed += std::abs(ga - gb) > 64 ? 1 : 0;
            darkA += 255 - ga;
            darkB += 255 - gb;
        }
    }
    const double n = static_cast<double>(a.width()) * a.height();
    return {changed / n, darkA / n, darkB / n};
}

TEST_F(SessionWindowTest, SvgRendersBackToThePng) {
    drawTwoPaths();
    trigger("Range", "Show Grid");
    settle();
    ASSERT_TRUE(session()->exportPicture(file("both.svg"), PictureExporter::Planes::Both));
    ASSERT_TRUE(session()->exportPicture(file("both.png"), PictureExporter::Planes::Both));
    const QImage png = QImage(file("both.png")).convertToFormat(QImage::Format_RGB32);

    QSvgRenderer renderer(file("both.svg"));
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(QPoint(0, 0), png.size()));
    QImage back(png.size(), QImage::Format_RGB32);
    back.fill(Qt::white);
    {
        QPainter painter(&back);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(png.size())));
    }
    back.save(file("back.png"));
    const Difference d = compare(png, back);
    EXPECT_LT(d.changed, 0.02) << "see " << file("back.png").toStdString();
    EXPECT_NEAR(d.darknessA, d.darknessB, 0.1 * d.darknessA);
    // The text is text, the shading rectangles.
    QFile svg(file("both.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("0.50")) << "axis labels as text";
    EXPECT_TRUE(text.contains("<path") || text.contains("<polyline"));
    // The domain's shading is one image; the range, unshaded, has none.
    EXPECT_EQ(text.count("<image"), 1);
    EXPECT_LT(text.size(), 400'000);
}

TEST_F(SessionWindowTest, PolesLeaveNoNonFiniteNumberInTheSvg) {
    QFile f(file("pole.zwmap"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // Exponentiate far out and a pole of a map: infinite and not-a-number images.
    drag(domainPane(), {{100, 100}, {150, 120}});
    ASSERT_TRUE(session()->saveFile(file("pole.zwmap")));
    f.close();
    QFile saved(file("pole.zwmap"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    QByteArray text = saved.readAll();
    saved.close();
    const qsizetype at = text.indexOf("\"points\": [[", text.indexOf("\"range\""));
    ASSERT_GT(at, 0);
    text.insert(at + 11, "[null,1],[1e300,-1e300],[-1e308,0.5],[null,null],");
    ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
    saved.write(text);
    saved.close();
    ASSERT_TRUE(session()->openFile(file("pole.zwmap")));
    settle();
    ASSERT_TRUE(session()->exportPicture(file("pole.svg"), PictureExporter::Planes::Both));
    QFile svg(file("pole.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(svg.readAll());
    EXPECT_FALSE(content.contains(QStringLiteral("nan"), Qt::CaseInsensitive));
    EXPECT_FALSE(content.contains(QStringLiteral("inf"), Qt::CaseInsensitive));
    static const QRegularExpression number(QStringLiteral("-?[0-9]+(\\.[0-9]+)?(e[-+]?[0-9]+)?"));
    double largest = 0;
    for (auto it = number.globalMatch(content); it.hasNext();) {
        const double v = std::fabs(it.next().captured().toDouble());
        EXPECT_TRUE(std::isfinite(v));
        largest = std::max(largest, v);
    }
    EXPECT_LT(largest, 1e6) << "segments are clipped to the picture";
}

TEST_F(SessionWindowTest, CommandLineRendersAPictureOfTheAskedSize) {
    drawTwoPaths();
    ASSERT_TRUE(session()->saveFile(file("s.zwmap")));
    QString error;
    ASSERT_TRUE(CommandLine::exportPicture(file("s.zwmap"), file("out.png"), QSize(640, 300),
                                           PictureExporter::Planes::Both, error))
        << error.toStdString();
    const QImage both(file("out.png"));
    EXPECT_EQ(both.size(), QSize(640, 300));
    ASSERT_TRUE(CommandLine::exportPicture(file("s.zwmap"), file("out.svg"), QSize(300, 200),
                                           PictureExporter::Planes::Domain, error));
    EXPECT_EQ(QSvgRenderer(file("out.svg")).viewBox(), QRect(0, 0, 300, 200));

    EXPECT_FALSE(CommandLine::exportPicture(file("s.zwmap"), file("no/dir/out.png"),
                                            QSize(640, 300), PictureExporter::Planes::Both, error));
    EXPECT_TRUE(error.startsWith(file("no/dir/out.png") + QStringLiteral(": cannot be written")))
        << error.toStdString();
    EXPECT_FALSE(CommandLine::exportPicture(file("missing.zwmap"), file("out.png"), QSize(640, 300),
                                            PictureExporter::Planes::Both, error));
    EXPECT_EQ(error, file("missing.zwmap") + QStringLiteral(": no such file"));
    QSize size;
    EXPECT_TRUE(CommandLine::parseSize(QStringLiteral("800x600"), size));
    EXPECT_EQ(size, QSize(800, 600));
    for (const char* bad : {"800", "800x", "x600", "0x600", "800x600x2", "99999x10", "8 x 6"}) {
        EXPECT_FALSE(CommandLine::parseSize(QString::fromLatin1(bad), size)) << bad;
    }
}

// Pixels darker than the light grid: text, axes, paths.
int darkPixels(const QImage& image, const QRect& area) {
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            count += qGray(image.pixel(x, y)) < 160 ? 1 : 0;
        }
    }
    return count;
}

// Where the pointer's readout stands: the lower left corner of a plane of the given size.
QRect readoutCorner(int left, QSize plane) {
    return QRect(left, plane.height() - 18, 110, 18);
}

QImage svgImage(const QString& path) {
    QSvgRenderer renderer(path);
    QImage image(renderer.viewBox().size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    return image;
}

// A picture is a figure: the pointer's corner readout is on the screen only.
TEST_F(SessionWindowTest, PicturesLeaveOutThePointersReadout) {
    settle();
    const QSize d = domainPane()->size();
    const QSize r = rangePane()->size();
    ASSERT_GT(darkPixels(domainPane()->image(), readoutCorner(0, d)), 30) << "the readout shows";
    ASSERT_GT(darkPixels(rangePane()->image(), readoutCorner(0, r)), 30);
    ASSERT_TRUE(session()->exportPicture(file("gui.png"), PictureExporter::Planes::Both));
    ASSERT_TRUE(session()->exportPicture(file("gui.svg"), PictureExporter::Planes::Both));
    ASSERT_TRUE(session()->saveFile(file("s.zwmap")));
    QString error;
    ASSERT_TRUE(CommandLine::exportPicture(file("s.zwmap"), file("cli.png"), QSize(640, 300),
                                           PictureExporter::Planes::Both, error));
    ASSERT_TRUE(CommandLine::exportPicture(file("s.zwmap"), file("cli.svg"), QSize(640, 300),
                                           PictureExporter::Planes::Both, error));
    const QSize half((640 - PictureExporter::kGap) / 2, 300);
    const struct {
        QString name;
        QImage picture;
        QSize domain;
    } pictures[] = {
        {QStringLiteral("gui.png"), QImage(file("gui.png")), d},
        {QStringLiteral("gui.svg"), svgImage(file("gui.svg")), d},
        {QStringLiteral("cli.png"), QImage(file("cli.png")), half},
        {QStringLiteral("cli.svg"), svgImage(file("cli.svg")), half},
    };
    for (const auto& p : pictures) {
        ASSERT_FALSE(p.picture.isNull()) << p.name.toStdString();
        const int rangeLeft = p.domain.width() + PictureExporter::kGap;
        EXPECT_EQ(darkPixels(p.picture, readoutCorner(0, p.domain)), 0) << p.name.toStdString();
        EXPECT_EQ(darkPixels(p.picture, readoutCorner(rangeLeft, p.domain)), 0)
            << p.name.toStdString();
        // The planes themselves are there: axes and their labels.
        EXPECT_GT(darkPixels(p.picture, p.picture.rect()), 500) << p.name.toStdString();
    }
}

// --scale, and the dialog's Scale: the same view in more pixels, where a larger --size shows
// more of the planes.
TEST_F(SessionWindowTest, AScaledPictureIsTheSameViewSharper) {
    drawTwoPaths();
    trigger("Range", "Show Grid");
    settle();
    ASSERT_TRUE(session()->exportPicture(file("one.png"), PictureExporter::Planes::Both));
    ASSERT_TRUE(session()->exportPicture(file("two.png"), PictureExporter::Planes::Both, 2));
    const QImage one = QImage(file("one.png")).convertToFormat(QImage::Format_RGB32);
    const QImage two = QImage(file("two.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(two.size(), one.size() * 2);
    const auto halved = [](const QImage& image) {
        return image.scaled(image.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    };
    Difference difference = compare(one, halved(two));
    EXPECT_LT(difference.changed, 0.01);
    EXPECT_NEAR(difference.darknessA, difference.darknessB, 0.1 * difference.darknessA);

    ASSERT_TRUE(session()->saveFile(file("s.zwmap")));
    QString error;
    ASSERT_TRUE(CommandLine::exportPicture(file("s.zwmap"), file("cli1.png"), QSize(400, 300),
                                           PictureExporter::Planes::Domain, error));
    ASSERT_TRUE(CommandLine::exportPicture(file("s.zwmap"), file("cli2.png"), QSize(400, 300),
                                           PictureExporter::Planes::Domain, error, 2));
    const QImage cli1 = QImage(file("cli1.png")).convertToFormat(QImage::Format_RGB32);
    const QImage cli2 = QImage(file("cli2.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(cli2.size(), QSize(800, 600));
    difference = compare(cli1, halved(cli2));
    EXPECT_LT(difference.changed, 0.01);
    // An SVG keeps its view box and becomes a larger document.
    ASSERT_TRUE(CommandLine::exportPicture(file("s.zwmap"), file("cli3.svg"), QSize(300, 200),
                                           PictureExporter::Planes::Both, error, 3));
    EXPECT_EQ(QSvgRenderer(file("cli3.svg")).viewBox(), QRect(0, 0, 300, 200));
    QFile svg(file("cli3.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    static const QRegularExpression documentSize(
        QStringLiteral("<svg width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\""));
    const QRegularExpressionMatch match = documentSize.match(QString::fromUtf8(svg.readAll()));
    ASSERT_TRUE(match.hasMatch());
    // In CSS pixels, 96 to the inch, as browsers show it.
    EXPECT_NEAR(match.captured(1).toDouble() / 25.4 * 96, 900, 0.5);
    EXPECT_NEAR(match.captured(2).toDouble() / 25.4 * 96, 600, 0.5);

    ExportDialog dialog(window.get());
    auto* scale = dialog.findChild<QComboBox*>(QStringLiteral("scale"));
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(dialog.scale(), 1) << "the picture as today unless asked";
    ASSERT_EQ(scale->count(), PictureExporter::kMaxScale);
    scale->setCurrentIndex(scale->count() - 1);
    EXPECT_EQ(dialog.scale(), 8);

    // A large window at the largest scale would need gigabytes: it is refused and says why.
    window->resize(1600, 1000);
    settle(PlaneWidget::kLiveResizeEndMs + 50);
    alerts->expect();
    EXPECT_FALSE(session()->exportPicture(file("huge.png"), PictureExporter::Planes::Both, 8));
    ASSERT_EQ(alerts->alerts().size(), 1u);
    EXPECT_NE(alerts->alerts()[0].message.find("pixels, more than 67 million: choose a smaller "
                                               "scale."),
              std::string::npos)
        << alerts->alerts()[0].message;
    EXPECT_FALSE(QFile::exists(file("huge.png")));

    int n = 0;
    EXPECT_TRUE(CommandLine::parseScale(QStringLiteral("8"), n));
    EXPECT_EQ(n, 8);
    for (const char* bad : {"0", "9", "1.5", "2x", "-1", "", " 2", "08x"}) {
        EXPECT_FALSE(CommandLine::parseScale(QString::fromLatin1(bad), n)) << bad;
    }
}

// A full disk, a device and a link: every write says why it failed in words a person can act
// on, and leaves what the name stands for as it was.
TEST_F(SessionWindowTest, FailedWritesSayWhyAndLeaveDevicesAndLinksAsTheyAre) {
    drawTwoPaths();
    ASSERT_TRUE(session()->saveFile(file("s.zwmap")));
    drag(domainPane(), {{50, 50}, {80, 60}});
    settle();
    // A device that is always full. Where it may be made (as root), a private node of it, which
    // a writer that replaces files could replace without harm; otherwise a link to the system's.
    const auto fullDevice = [this](const QString& name) {
        const QString path = file(name);
        if (geteuid() == 0 &&
            mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0) {
            return true;
        }
        return QFile::link(QStringLiteral("/dev/full"), path);
    };
    ASSERT_TRUE(fullDevice(QStringLiteral("full.zwmap")));
    ASSERT_TRUE(fullDevice(QStringLiteral("full.png")));
    const auto full = [this](const char* name) {
        return file(QString::fromLatin1(name)).toStdString() +
               ": cannot be written (no space left on the device)";
    };
    alerts->expect();
    EXPECT_FALSE(session()->saveFile(file("full.zwmap")));
    alerts->expect();
    EXPECT_FALSE(session()->exportPicture(file("full.png"), PictureExporter::Planes::Both));
    ASSERT_EQ(alerts->alerts().size(), 2u);
    EXPECT_EQ(alerts->alerts()[0].title, "The session could not be saved.");
    EXPECT_EQ(alerts->alerts()[0].message, full("full.zwmap"));
    EXPECT_EQ(alerts->alerts()[1].title, "The picture could not be saved.");
    EXPECT_EQ(alerts->alerts()[1].message, full("full.png"));
    EXPECT_TRUE(window->isWindowModified());
    QString error;
    EXPECT_FALSE(CommandLine::exportPicture(file("s.zwmap"), file("full.png"), QSize(100, 100),
                                            PictureExporter::Planes::Both, error));
    EXPECT_EQ(error.toStdString(), full("full.png"));
    for (const char* name : {"full.zwmap", "full.png"}) {
        struct stat status {};
        ASSERT_EQ(stat(QFile::encodeName(file(QString::fromLatin1(name))).constData(), &status), 0);
        EXPECT_TRUE(S_ISCHR(status.st_mode)) << name << " is still the device";
    }

    // A link stays a link to the file it names, which keeps its permissions.
    ASSERT_EQ(chmod(QFile::encodeName(file("s.zwmap")).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("s.zwmap"), file("link.zwmap")));
    ASSERT_TRUE(session()->saveFile(file("link.zwmap")));
    EXPECT_TRUE(QFileInfo(file("link.zwmap")).isSymLink());
    struct stat saved {};
    ASSERT_EQ(stat(QFile::encodeName(file("s.zwmap")).constData(), &saved), 0);
    EXPECT_EQ(saved.st_mode & 0777, 0640u);
    Session reread;
    std::string why;
    ASSERT_TRUE(SessionReader::load(file("s.zwmap").toStdString(), reread, why)) << why;
    EXPECT_EQ(reread.domain.paths.size(), 3u) << "the path drawn after the first save";
}

}  // namespace
}  // namespace zw::test
