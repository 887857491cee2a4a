#include "app/CommandRows.h"

#include "app/AnimationTarget.h"
#include "app/Workbench.h"
#include "platform/Translatable.h"

namespace zw::commandrows {

void addFile(std::vector<Command>& t) {
    t.push_back(menu("file", "", QT_TRANSLATE_NOOP("zw::Commands", "&File")));
    t.push_back(
        keyed(item(command::kNew, "file", QT_TRANSLATE_NOOP("zw::Commands", "New"),
                   QT_TRANSLATE_NOOP(
                       "zw::Commands",
                       "Start again with the function, views and options a window starts with")),
              StandardKey::New, "Ctrl+N", true));
    t.push_back(keyed(item(command::kOpen, "file", QT_TRANSLATE_NOOP("zw::Commands", "Open..."),
                           QT_TRANSLATE_NOOP("zw::Commands", "Open a saved session")),
                      StandardKey::Open, "Ctrl+O", true));
    // The window lists the sessions themselves above this one item.
    t.push_back(
        menu(command::kOpenRecent, "file", QT_TRANSLATE_NOOP("zw::Commands", "Open &Recent")));
    t.push_back(item(command::kClearRecent, command::kOpenRecent,
                     QT_TRANSLATE_NOOP("zw::Commands", "Clear Menu"),
                     QT_TRANSLATE_NOOP("zw::Commands", "Forget the sessions listed here")));
    t.push_back(
        keyed(item(command::kSave, "file", QT_TRANSLATE_NOOP("zw::Commands", "Save"),
                   QT_TRANSLATE_NOOP("zw::Commands",
                                     "Save the session: function, views, options and paths")),
              StandardKey::Save, "Ctrl+S", true));
    t.push_back(
        keyed(item(command::kSaveAs, "file", QT_TRANSLATE_NOOP("zw::Commands", "Save As..."),
                   QT_TRANSLATE_NOOP("zw::Commands", "Save the session in a new file")),
              StandardKey::SaveAs, "Ctrl+Shift+S", true));
    t.push_back(after(keyed(
        item(
            command::kExportPicture, "file", QT_TRANSLATE_NOOP("zw::Commands", "Export Picture..."),
            QT_TRANSLATE_NOOP("zw::Commands", "Save what the planes show as a PNG or SVG picture")),
        "Ctrl+Shift+E")));
    // Something must move: a parameter of f, or the morph's t.
    Command animation = item(
        command::kExportAnimation, "file", QT_TRANSLATE_NOOP("zw::Commands", "Export Animation..."),
        QT_TRANSLATE_NOOP("zw::Commands",
                          "Save an animated GIF, WebP or a numbered PNG series of the planes "
                          "as a parameter moves"));
    animation.enabled = [](const Workbench& w) {
        return idle(w) && !AnimationTarget::names(w).empty();
    };
    t.push_back(std::move(animation));
    t.push_back(after(keyed(item(command::kQuit, "file", QT_TRANSLATE_NOOP("zw::Commands", "Quit"),
                                 QT_TRANSLATE_NOOP("zw::Commands", "Quit zwmap")),
                            StandardKey::Quit, "Ctrl+Q", true)));
}

}  // namespace zw::commandrows
