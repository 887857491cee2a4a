// The invocation undo stack the path history runs on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/UndoManager.h"

namespace zw {
namespace {

// A toggle that records its own inverse each time it runs, the way the controller's
// removeLastPath and restoreLastPath record each other.
struct Counter {
    explicit Counter(UndoManager& manager) : undo(manager) {}

    UndoManager& undo;
    int value = 0;
    std::vector<std::string> calls;

    void increment() {
        ++value;
        calls.push_back("inc");
        undo.registerUndo([this] { decrement(); });
        undo.setActionName("Increment");
    }
    void decrement() {
        --value;
        calls.push_back("dec");
        undo.registerUndo([this] { increment(); });
        undo.setActionName("Decrement");
    }
};

TEST(UndoManager, UndoAndRedoRunTheRecordedStepsAndKeepTheirNames) {
    UndoManager undo;
    Counter c{undo};
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(undo.canRedo());

    c.increment();
    c.increment();
    EXPECT_EQ(undo.undoActionName(), "Increment");
    EXPECT_EQ(undo.undoCount(), 2u);

    undo.undo();
    EXPECT_EQ(c.value, 1);
    EXPECT_EQ(undo.undoCount(), 1u);
    EXPECT_EQ(undo.redoCount(), 1u);
    // Redoing an increment is named as the increment, whatever the undo step called itself.
    EXPECT_EQ(undo.redoActionName(), "Increment");

    undo.redo();
    EXPECT_EQ(c.value, 2);
    EXPECT_EQ(undo.undoCount(), 2u);
    EXPECT_EQ(undo.redoCount(), 0u);
    EXPECT_EQ(undo.undoActionName(), "Increment");

    undo.undo();
    undo.undo();
    EXPECT_EQ(c.value, 0);
    EXPECT_FALSE(undo.canUndo());
    EXPECT_EQ(undo.redoCount(), 2u);
    undo.undo();  // nothing left: no effect
    EXPECT_EQ(c.value, 0);
    EXPECT_EQ(c.calls, (std::vector<std::string>{"inc", "inc", "dec", "inc", "dec", "dec"}));
}

TEST(UndoManager, ANewRegistrationEmptiesTheRedoStack) {
    UndoManager undo;
    Counter c{undo};
    c.increment();
    c.increment();
    undo.undo();
    ASSERT_TRUE(undo.canRedo());
    c.increment();
    EXPECT_FALSE(undo.canRedo());
    EXPECT_EQ(undo.redoActionName(), "");
    EXPECT_EQ(undo.undoCount(), 2u);
    undo.redo();
    EXPECT_EQ(c.value, 2);
}

TEST(UndoManager, StepsRegisteredWhileUndoingOrRedoingKeepTheOtherStack) {
    UndoManager undo;
    Counter c{undo};
    c.increment();
    c.increment();
    undo.undo();
    undo.undo();
    EXPECT_EQ(undo.redoCount(), 2u);
    undo.redo();
    // Redoing registers onto the undo stack without emptying the redo stack.
    EXPECT_EQ(undo.redoCount(), 1u);
    EXPECT_EQ(undo.undoCount(), 1u);
    EXPECT_FALSE(undo.isUndoing());
    EXPECT_FALSE(undo.isRedoing());
}

TEST(UndoManager, SetActionNameNamesTheStepRegisteredLast) {
    UndoManager undo;
    undo.registerUndo([] {});
    undo.setActionName("First");
    undo.registerUndo([] {});
    undo.setActionName("Second");
    undo.setActionName("Second, renamed");
    EXPECT_EQ(undo.undoActionName(), "Second, renamed");
    undo.undo();
    EXPECT_EQ(undo.undoActionName(), "First");
}

TEST(UndoManager, RemoveAllActionsForgetsBothStacks) {
    UndoManager undo;
    Counter c{undo};
    c.increment();
    c.increment();
    undo.undo();
    undo.removeAllActions();
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(undo.canRedo());
    undo.undo();
    undo.redo();
    EXPECT_EQ(c.value, 1);
    // A name set now has no step to attach to.
    undo.setActionName("Orphan");
    EXPECT_EQ(undo.undoActionName(), "");
}

}  // namespace
}  // namespace zw
