#include "app/CommandRows.h"

#include "app/Workbench.h"
#include "platform/Translatable.h"

namespace zw::commandrows {

void addEdit(std::vector<Command>& t) {
    t.push_back(menu("edit", "", QT_TRANSLATE_NOOP("zw::Commands", "&Edit")));
    Command undo = whenIdle(
        keyed(item("edit.undo", "edit", QT_TRANSLATE_NOOP("zw::Commands", "Undo"),
                   QT_TRANSLATE_NOOP("zw::Commands", "Undo the last path drawn or removed"),
                   [](Workbench& w, Sender* s) { w.controller.undo(s); }),
              StandardKey::Undo, "Ctrl+Z"));
    undo.enabled = [](const Workbench& w) { return idle(w) && w.undoManager.canUndo(); };
    undo.liveTitle = [](const Workbench& w) {
        const std::string name = w.undoManager.undoActionName();
        return name.empty() ? std::string(QT_TRANSLATE_NOOP("zw::Commands", "Undo"))
                            : "Undo " + name;
    };
    t.push_back(std::move(undo));
    Command redo = keyed(item("edit.redo", "edit", QT_TRANSLATE_NOOP("zw::Commands", "Redo"),
                              QT_TRANSLATE_NOOP("zw::Commands", "Redo what was undone"),
                              [](Workbench& w, Sender* s) { w.controller.redo(s); }),
                         StandardKey::Redo, "Ctrl+Y");
    redo.enabled = [](const Workbench& w) { return idle(w) && w.undoManager.canRedo(); };
    redo.liveTitle = [](const Workbench& w) {
        const std::string name = w.undoManager.redoActionName();
        return name.empty() ? std::string(QT_TRANSLATE_NOOP("zw::Commands", "Redo"))
                            : "Redo " + name;
    };
    t.push_back(std::move(redo));
    // Pictures for a worksheet, made as Export Picture makes them, at the screen's resolution.
    t.push_back(after(
        keyed(item(command::kCopyPicture, "edit", QT_TRANSLATE_NOOP("zw::Commands", "Copy Picture"),
                   QT_TRANSLATE_NOOP("zw::Commands",
                                     "Copy both planes as a picture, to paste into a document")),
              "Ctrl+C")));
    t.push_back(
        keyed(item(command::kCopyFocusedPlane, "edit",
                   QT_TRANSLATE_NOOP("zw::Commands", "Copy Focused Plane"),
                   QT_TRANSLATE_NOOP("zw::Commands", "Copy the plane with the keys as a picture")),
              "Ctrl+Alt+C"));
    // Ctrl+Shift with a letter opens a dialog, as Ctrl+Shift+S does.
    t.push_back(after(whenIdle(keyed(
        item(command::kAddCircle, "edit", QT_TRANSLATE_NOOP("zw::Commands", "Add Circle..."),
             QT_TRANSLATE_NOOP("zw::Commands",
                               "Add an exact circle, given its centre and radius, as a path")),
        "Ctrl+Shift+C"))));
    t.push_back(whenIdle(
        keyed(item(command::kAddLine, "edit", QT_TRANSLATE_NOOP("zw::Commands", "Add Line..."),
                   QT_TRANSLATE_NOOP("zw::Commands",
                                     "Add an exact line segment, given its end points, as a path")),
              "Ctrl+Shift+L")));
    t.push_back(after(whenIdle(
        item("edit.removeLastPath", "edit", QT_TRANSLATE_NOOP("zw::Commands", "Remove Last Path"),
             QT_TRANSLATE_NOOP("zw::Commands", "Remove the newest path from both planes"),
             [](Workbench& w, Sender* s) { w.controller.removeLastPath(s); }))));
    t.push_back(whenIdle(
        item("edit.clearAllPaths", "edit", QT_TRANSLATE_NOOP("zw::Commands", "Clear All Paths..."),
             QT_TRANSLATE_NOOP("zw::Commands", "Remove every path from both planes, after asking"),
             [](Workbench& w, Sender* s) { w.controller.clearAll(s); })));
}

}  // namespace zw::commandrows
