#pragma once

#include <QTimer>
#include <deque>
#include <string>
#include <vector>

#include "platform/Alerts.h"

namespace zw::test {

// Keeps a test from hanging on a modal alert. Alert panels go to a recording handler: each
// one that the test did not announce with expect() fails the test. A timer closes any modal
// widget that is still up after the test stopped looking, and fails the test too.
class AlertWatchdog {
  public:
    AlertWatchdog();
    ~AlertWatchdog();
    AlertWatchdog(const AlertWatchdog&) = delete;
    AlertWatchdog& operator=(const AlertWatchdog&) = delete;

    // The next alert panel is expected and answered with `answer`.
    void expect(int answer = kAlertDefaultReturn) { answers_.push_back(answer); }
    const std::vector<AlertRequest>& alerts() const { return alerts_; }
    // Modal widgets (sheets) the test takes care of itself are not closed while this is set.
    void allowModalWidgets(bool allow) { allowModal_ = allow; }

  private:
    int answerAlert(const AlertRequest& request);
    void sweep();

    AlertHandler previous_;
    std::deque<int> answers_;
    std::vector<AlertRequest> alerts_;
    QTimer timer_;
    bool allowModal_ = false;
};

}  // namespace zw::test
