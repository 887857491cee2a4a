#include "platform/UndoManager.h"

#include <utility>

namespace zw {

void UndoManager::registerUndo(std::function<void()> action) {
    std::vector<Step>* target = &undoStack_;
    switch (state_) {
        case State::Undoing:
            target = &redoStack_;
            break;
        case State::Redoing:
            break;
        case State::Idle:
            redoStack_.clear();
            break;
    }
    target->push_back({std::move(action), state_ == State::Idle ? std::string() : runningName_});
    lastTarget_ = target;
}

void UndoManager::setActionName(const std::string& name) {
    if (state_ == State::Idle && lastTarget_ != nullptr && !lastTarget_->empty()) {
        lastTarget_->back().name = name;
    }
}

void UndoManager::removeAllActions() {
    undoStack_.clear();
    redoStack_.clear();
    lastTarget_ = nullptr;
}

void UndoManager::run(std::vector<Step>& from, State state) {
    if (from.empty() || state_ != State::Idle) {
        return;
    }
    Step step = std::move(from.back());
    from.pop_back();
    state_ = state;
    runningName_ = step.name;
    step.action();
    state_ = State::Idle;
}

void UndoManager::undo() {
    run(undoStack_, State::Undoing);
}

void UndoManager::redo() {
    run(redoStack_, State::Redoing);
}

std::string UndoManager::undoActionName() const {
    return undoStack_.empty() ? std::string() : undoStack_.back().name;
}

std::string UndoManager::redoActionName() const {
    return redoStack_.empty() ? std::string() : redoStack_.back().name;
}

}  // namespace zw
