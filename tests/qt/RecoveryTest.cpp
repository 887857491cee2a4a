#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>

#include "WindowTest.h"
#include "qt/RecoveryKeeper.h"
#include "qt/SessionActions.h"
#include "session/Session.h"
#include "session/SessionReader.h"
#include "views/DomainView.h"

namespace zw::test {
namespace {

class RecoveryTest : public WindowTest {
  protected:
    void SetUp() override {
        // The copies come within a test's patience: 100 ms after a change, 400 ms apart.
        qputenv("ZWMAP_RECOVERY_DELAY_MS", "100");
        qputenv("ZWMAP_RECOVERY_INTERVAL_MS", "400");
        WindowTest::SetUp();
    }

    QString copy() const { return window->recovery()->copyPath(); }
    static bool exists(const QString& path) { return QFileInfo::exists(path); }

    // Lets the window run until `done` holds, for at most two seconds.
    static bool waitFor(const std::function<bool()>& done) {
        for (int i = 0; i < 100 && !done(); ++i) {
            settle(20);
        }
        return done();
    }

    void drawPath() {
        drag(domainPane(), {{120, 100}, {160, 130}, {200, 140}});
        settle();
    }

    // A copy as a zwmap that is gone left it: the session of this window, under `base`.
    void leaveCopy(const QString& base, const std::string& name) {
        std::string bytes;
        std::string error;
        ASSERT_TRUE(window->sessionActions()->document().contents(bytes, error)) << error;
        QFile file(base + QStringLiteral(".zwmap"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        QFile nameFile(base + QStringLiteral(".name"));
        ASSERT_TRUE(nameFile.open(QIODevice::WriteOnly));
        nameFile.write(name.data(), static_cast<qint64>(name.size()));
    }

    void startAgain() {
        alerts.reset();
        window.reset();
        window = std::make_unique<MainWindow>();
        alerts = std::make_unique<AlertWatchdog>();
        window->show();
        settle();
    }
};

TEST_F(RecoveryTest, ACopyIsKeptOnlyWhileChangesAreUnsaved) {
    ASSERT_FALSE(copy().isEmpty());
    settle(300);
    EXPECT_FALSE(exists(copy())) << "nothing changed, nothing written";

    drawPath();
    ASSERT_TRUE(waitFor([&] { return exists(copy()); })) << "no copy after a change";
    Session kept;
    std::string error;
    ASSERT_TRUE(SessionReader::load(QFile::encodeName(copy()).toStdString(), kept, error)) << error;
    EXPECT_EQ(kept.domain.paths.size(), 1u);

    // Undone back to the start: nothing unsaved, no copy.
    trigger(QStringLiteral("Edit"), QStringLiteral("Undo Last Path Drawn"));
    settle();
    EXPECT_FALSE(exists(copy()));
    trigger(QStringLiteral("Edit"), QStringLiteral("Redo Last Path Drawn"));
    ASSERT_TRUE(waitFor([&] { return exists(copy()); }));

    // Another window never shares this one's copy.
    MainWindow other;
    EXPECT_NE(other.recovery()->copyPath(), copy());
    EXPECT_FALSE(other.recovery()->copyPath().isEmpty());

    const QTemporaryDir dir;
    ASSERT_TRUE(window->sessionActions()->saveFile(dir.filePath(QStringLiteral("a.zwmap"))));
    settle();
    EXPECT_FALSE(exists(copy())) << "saved";

    drawPath();
    ASSERT_TRUE(waitFor([&] { return exists(copy()); }));
    const QString last = copy();
    window.reset();
    EXPECT_FALSE(exists(last)) << "the window closed";
}

// Newest first, each copy whose zwmap is gone; after a Restore no more are asked about.
TEST_F(RecoveryTest, RestoreOffersOnlyCopiesWhoseZwmapIsGone) {
    drawPath();
    const QString folder = RecoveryKeeper::folder();
    const QString older = folder + QStringLiteral("/999999-1");
    leaveCopy(older, "/nowhere/work.zwmap");
    QFile olderFile(older + QStringLiteral(".zwmap"));
    ASSERT_TRUE(olderFile.open(QIODevice::ReadWrite));
    const QDateTime then = QDateTime::currentDateTime().addSecs(-3600);
    ASSERT_TRUE(olderFile.setFileTime(then, QFileDevice::FileModificationTime));
    olderFile.close();
    const QString newer = folder + QStringLiteral("/999999-2");
    leaveCopy(newer, "");
    // One whose zwmap still runs (its lock is held) is never offered.
    const QString running = folder + QStringLiteral("/999999-3");
    leaveCopy(running, "");
    QLockFile held(running + QStringLiteral(".lock"));
    ASSERT_TRUE(held.tryLock(0));
    const QString newerTime = QFileInfo(newer + QStringLiteral(".zwmap"))
                                  .lastModified()
                                  .toString(QStringLiteral("HH:mm"));
    startAgain();

    alerts->expect(kAlertAlternateReturn);  // Discard the newer
    alerts->expect(kAlertDefaultReturn);    // Restore the older
    EXPECT_TRUE(window->recovery()->offerRestore());
    ASSERT_EQ(alerts->alerts().size(), 2u);
    EXPECT_EQ(alerts->alerts()[0].title,
              "Restore the unsaved work from " + newerTime.toStdString() + "?");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d$")).match(newerTime).hasMatch());
    EXPECT_EQ(alerts->alerts()[1].title, "Restore the unsaved work from " +
                                             then.toString(QStringLiteral("HH:mm")).toStdString() +
                                             "?");
    EXPECT_FALSE(exists(newer + QStringLiteral(".zwmap"))) << "discarded";
    EXPECT_EQ(window->domainView()->paths.size(), 1u);
    EXPECT_EQ(window->sessionActions()->document().path(), "/nowhere/work.zwmap");
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("work.zwmap[*] - zwmap"));
    // The work moved into this window's own copy; names and locks went with the old ones.
    EXPECT_TRUE(exists(copy()));
    EXPECT_EQ(QDir(folder).entryList({QStringLiteral("999999-*")}, QDir::Files),
              QStringList({QStringLiteral("999999-3.lock"), QStringLiteral("999999-3.name"),
                           QStringLiteral("999999-3.zwmap")}));
    EXPECT_FALSE(window->recovery()->offerRestore());
    EXPECT_EQ(alerts->alerts().size(), 2u) << "the running zwmap's copy is not offered";
}

}  // namespace
}  // namespace zw::test
