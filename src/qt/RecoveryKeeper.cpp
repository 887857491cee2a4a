#include "qt/RecoveryKeeper.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <string>
#include <utility>

#include "platform/Alerts.h"
#include "platform/Log.h"
#include "qt/MainWindow.h"
#include "qt/SessionActions.h"

namespace zw {

namespace {

QString copyOf(const QString& base) {
    return base + QStringLiteral(".zwmap");
}

QString nameOf(const QString& base) {
    return base + QStringLiteral(".name");
}

QString lockOf(const QString& base) {
    return base + QStringLiteral(".lock");
}

// A lock that counts as free only when the zwmap that took it is gone, however long ago it
// was taken: a window may keep its copy for days.
std::unique_ptr<QLockFile> lockFor(const QString& base) {
    auto lock = std::make_unique<QLockFile>(lockOf(base));
    lock->setStaleLockTime(0);
    return lock;
}

// Whole or not at all: a copy cut short by a crash while writing would be worse than none.
bool writeWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

void removeFiles(const QString& base) {
    QFile::remove(copyOf(base));
    QFile::remove(nameOf(base));
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(MainWindow* window, SessionActions& session,
                               RecoverySchedule::Timing timing)
    : QObject(window), window_(window), session_(session), schedule_(timing) {
    clock_.start();
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::writeDue);
    const QString dir = folder();
    if (QDir().mkpath(dir)) {
        // A name of its own: never one a dead zwmap of the same process id left behind.
        const QString pid = QString::number(QCoreApplication::applicationPid());
        for (int n = 1; n <= 100 && base_.isEmpty(); ++n) {
            const QString base =
                dir + QLatin1Char('/') + pid + QLatin1Char('-') + QString::number(n);
            if (QFileInfo::exists(copyOf(base)) || QFileInfo::exists(lockOf(base)) ||
                QFileInfo::exists(nameOf(base))) {
                continue;
            }
            std::unique_ptr<QLockFile> lock = lockFor(base);
            if (lock->tryLock(0)) {
                base_ = base;
                lock_ = std::move(lock);
            }
        }
    }
    if (base_.isEmpty()) {
        log("no recovery copies: %s cannot be written", dir.toLocal8Bit().constData());
    }
    seen_ = session_.document().mark();
    connect(&session_, &SessionActions::titleRefreshed, this, &RecoveryKeeper::check);
}

RecoveryKeeper::~RecoveryKeeper() {
    removeCopy();
}

RecoverySchedule::Timing RecoveryKeeper::timingFromEnvironment() {
    const QByteArray delay = qgetenv("ZWMAP_RECOVERY_DELAY_MS");
    const QByteArray interval = qgetenv("ZWMAP_RECOVERY_INTERVAL_MS");
    return RecoverySchedule::Timing::fromText(delay.isNull() ? nullptr : delay.constData(),
                                              interval.isNull() ? nullptr : interval.constData());
}

QString RecoveryKeeper::folder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

QString RecoveryKeeper::copyPath() const {
    return base_.isEmpty() ? QString() : copyOf(base_);
}

RecoverySchedule::Time RecoveryKeeper::now() const {
    return RecoverySchedule::Time(clock_.elapsed());
}

void RecoveryKeeper::check() {
    // The title has just been told whether anything is unsaved (a save changes nothing shown).
    if (!window_->isWindowModified()) {
        if (!clean_) {
            clean_ = true;
            seen_ = session_.document().mark();
            schedule_.cleared();
            timer_.stop();
            removeCopy();
        }
        return;
    }
    clean_ = false;
    SessionDocument::Mark mark = session_.document().mark();
    if (mark == seen_) {
        return;  // the pointer moved, a menu opened
    }
    seen_ = std::move(mark);
    schedule_.changed(now());
    arm();
}

void RecoveryKeeper::arm() {
    if (const std::optional<RecoverySchedule::Time> due = schedule_.due()) {
        const auto wait = std::max<qint64>(0, (*due - now()).count());
        timer_.start(static_cast<int>(std::min<qint64>(wait, 24LL * 60 * 60 * 1000)));
    }
}

void RecoveryKeeper::writeDue() {
    if (!schedule_.isDue(now())) {
        arm();
        return;
    }
    // A failed copy is tried again after the next change, not in a loop.
    writeCopy();
    schedule_.written(now());
}

bool RecoveryKeeper::writeCopy() {
    if (base_.isEmpty() || !session_.document().isModified()) {
        return false;
    }
    std::string bytes;
    std::string error;
    if (!session_.document().contents(bytes, error)) {
        log("no recovery copy: %s", error.c_str());
        return false;
    }
    // The name first: a copy is never offered under another session's name.
    const std::string& path = session_.document().path();
    if (!writeWhole(nameOf(base_), QByteArray(path.data(), static_cast<qsizetype>(path.size()))) ||
        !writeWhole(copyOf(base_),
                    QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())))) {
        log("no recovery copy: %s cannot be written", copyOf(base_).toLocal8Bit().constData());
        return false;
    }
    return true;
}

void RecoveryKeeper::removeCopy() {
    if (!base_.isEmpty()) {
        removeFiles(base_);
    }
}

bool RecoveryKeeper::offerRestore() {
    if (base_.isEmpty()) {
        return false;
    }
    const QDir dir(folder());
    const QFileInfoList copies =
        dir.entryInfoList({QStringLiteral("*.zwmap")}, QDir::Files, QDir::Time);
    for (const QFileInfo& info : copies) {
        const QString base = info.absolutePath() + QLatin1Char('/') + info.completeBaseName();
        if (base == base_) {
            continue;
        }
        const std::unique_ptr<QLockFile> lock = lockFor(base);
        if (!lock->tryLock(0)) {
            continue;  // its window is still open
        }
        QFile nameFile(nameOf(base));
        QString name;
        if (nameFile.open(QIODevice::ReadOnly)) {
            name = QString::fromUtf8(nameFile.read(64 * 1024));
        }
        const QString shown = name.isEmpty() ? tr("Untitled") : QFileInfo(name).fileName();
        const int answer = runAlertPanel(
            tr("Restore the unsaved work from %1?")
                .arg(info.lastModified().toString(QStringLiteral("HH:mm")))
                .toStdString(),
            tr("zwmap did not quit properly, and the changes to %1 had not been saved. Restore "
               "opens them as they were then, still to be saved; Discard deletes them.")
                .arg(shown)
                .toStdString(),
            tr("Restore").toStdString(), tr("Discard").toStdString(), "");
        if (answer == kAlertDefaultReturn && session_.openRecovered(info.filePath(), name)) {
            // The work is in this window's own copy before the old one goes.
            seen_ = session_.document().mark();
            if (writeCopy()) {
                schedule_.written(now());
                removeFiles(base);
            }
            return true;
        }
        // Discarded, or it does not open (the message said why): it never would.
        removeFiles(base);
    }
    // Names and locks a zwmap that is gone left without a copy.
    for (const QFileInfo& info :
         dir.entryInfoList({QStringLiteral("*.name"), QStringLiteral("*.lock")}, QDir::Files)) {
        const QString base = info.absolutePath() + QLatin1Char('/') + info.completeBaseName();
        if (base == base_ || QFileInfo::exists(copyOf(base))) {
            continue;
        }
        const std::unique_ptr<QLockFile> lock = lockFor(base);
        if (lock->tryLock(0)) {
            QFile::remove(nameOf(base));
        }
    }
    return false;
}

}  // namespace zw
