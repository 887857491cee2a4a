#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

#include "app/RecoverySchedule.h"
#include "session/SessionDocument.h"

class QLockFile;

namespace zw {

class MainWindow;
class SessionActions;

// Keeps a recovery copy of the window's session while it has unsaved changes, so that a crash,
// a kill or a power cut loses at most the last few seconds. The copy is a session file in the
// application's data folder, "recovery/PID-N.zwmap", with the session's own path beside it in
// "PID-N.name" and a lock file "PID-N.lock" held while the window lives: each window has its
// own copy, and only a copy whose zwmap is gone is ever offered back. The copy goes once the
// changes are saved or discarded, and when the window closes.
class RecoveryKeeper : public QObject {
    Q_OBJECT

  public:
    RecoveryKeeper(MainWindow* window, SessionActions& session, RecoverySchedule::Timing timing);
    ~RecoveryKeeper() override;

    // The times in ZWMAP_RECOVERY_DELAY_MS and ZWMAP_RECOVERY_INTERVAL_MS (for tests only), or
    // the defaults.
    static RecoverySchedule::Timing timingFromEnvironment();
    // Where the copies are kept.
    static QString folder();
    // This window's copy (it exists only while there is one), or empty without a lock.
    QString copyPath() const;
    const RecoverySchedule& schedule() const { return schedule_; }

    // At start: for each copy left by a zwmap that did not quit, newest first, asks "Restore the
    // unsaved work from HH:MM?"; Restore opens it in this window as an unsaved session of the
    // same name (and asks no more), Discard deletes it. True if one was restored.
    bool offerRestore();

  public slots:
    // After every event and action: a change schedules a copy; a session with nothing unsaved
    // has none.
    void check();

  private:
    RecoverySchedule::Time now() const;
    void arm();
    void writeDue();
    bool writeCopy();
    void removeCopy();

    MainWindow* window_;
    SessionActions& session_;
    RecoverySchedule schedule_;
    QElapsedTimer clock_;
    QTimer timer_;
    SessionDocument::Mark seen_;
    // Nothing was unsaved at the last check, and there is no copy.
    bool clean_ = true;
    // The copy's path without ".zwmap"; empty when no lock could be had (no copies then).
    QString base_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace zw
