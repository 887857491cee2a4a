#include "AlertWatchdog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

namespace zw::test {

AlertWatchdog::AlertWatchdog() {
    previous_ = setAlertHandler([this](const AlertRequest& r) { return answerAlert(r); });
    timer_.setInterval(200);
    QObject::connect(&timer_, &QTimer::timeout, [this] { sweep(); });
    timer_.start();
}

AlertWatchdog::~AlertWatchdog() {
    setAlertHandler(previous_);
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " expected alert(s) never came";
}

int AlertWatchdog::answerAlert(const AlertRequest& request) {
    alerts_.push_back(request);
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected alert: " << request.title;
        return kAlertDefaultReturn;
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void AlertWatchdog::sweep() {
    if (allowModal_) {
        return;
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "unexpected modal window: " << modal->windowTitle().toStdString();
        modal->close();
    }
}

}  // namespace zw::test
