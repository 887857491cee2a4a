#pragma once

#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/Alerts.h"

namespace zw::test {

// While alive, answers every modal alert panel: each request is recorded, and the answer is
// taken from the front of `answers`, or is the default button once the queue is empty. The
// handler that was installed before is put back on destruction.
class AlertScript {
  public:
    AlertScript();
    explicit AlertScript(std::initializer_list<int> queuedAnswers);
    ~AlertScript();
    AlertScript(const AlertScript&) = delete;
    AlertScript& operator=(const AlertScript&) = delete;

    void answer(int code) { answers.push_back(code); }
    std::size_t count() const { return requests.size(); }
    std::vector<std::string> titles() const;

    std::vector<AlertRequest> requests;
    std::deque<int> answers;
    // Called with each request while the alert is up, before it is answered: lets a test look
    // at the state the program is in while it waits for the user.
    std::function<void(const AlertRequest&)> onAlert;

  private:
    AlertHandler previous_;
};

}  // namespace zw::test
