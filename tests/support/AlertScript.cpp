#include "support/AlertScript.h"

#include <utility>

namespace zw::test {

AlertScript::AlertScript() : AlertScript({}) {}

AlertScript::AlertScript(std::initializer_list<int> queuedAnswers) : answers(queuedAnswers) {
    previous_ = setAlertHandler([this](const AlertRequest& request) {
        requests.push_back(request);
        if (onAlert) {
            onAlert(request);
        }
        if (answers.empty()) {
            return kAlertDefaultReturn;
        }
        const int code = answers.front();
        answers.pop_front();
        return code;
    });
}

AlertScript::~AlertScript() {
    setAlertHandler(std::move(previous_));
}

std::vector<std::string> AlertScript::titles() const {
    std::vector<std::string> result;
    for (const AlertRequest& r : requests) {
        result.push_back(r.title);
    }
    return result;
}

}  // namespace zw::test
