#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zw {

// An invocation undo stack. What is registered while undoing goes to the redo stack, while
// redoing to the undo stack, and otherwise to the undo stack, emptying the redo stack.
// A step registered while undoing or redoing keeps the name of the step that ran, so that
// "Undo X" and "Redo X" always name the same user action.
class UndoManager {
  public:
    void registerUndo(std::function<void()> action);
    // Names the step registered last; while undoing or redoing it changes nothing.
    void setActionName(const std::string& name);
    void removeAllActions();

    void undo();
    void redo();
    bool canUndo() const { return !undoStack_.empty(); }
    bool canRedo() const { return !redoStack_.empty(); }
    bool isUndoing() const { return state_ == State::Undoing; }
    bool isRedoing() const { return state_ == State::Redoing; }
    std::string undoActionName() const;
    std::string redoActionName() const;
    std::size_t undoCount() const { return undoStack_.size(); }
    std::size_t redoCount() const { return redoStack_.size(); }

  private:
    struct Step {
        std::function<void()> action;
        std::string name;
    };
    enum class State { Idle, Undoing, Redoing };
    void run(std::vector<Step>& from, State state);

    std::vector<Step> undoStack_;
    std::vector<Step> redoStack_;
    std::vector<Step>* lastTarget_ = nullptr;
    State state_ = State::Idle;
    std::string runningName_;
};

}  // namespace zw
