#include "app/CommandRows.h"

#include "platform/Translatable.h"

namespace zw::commandrows {

void addHelp(std::vector<Command>& t) {
    t.push_back(menu("help", "", QT_TRANSLATE_NOOP("zw::Commands", "&Help")));
    t.push_back(keyed(
        item(command::kKeysAndMouse, "help", QT_TRANSLATE_NOOP("zw::Commands", "Keys and Mouse"),
             QT_TRANSLATE_NOOP("zw::Commands", "List every key, shortcut and mouse action")),
        "F1"));
    t.push_back(item(
        command::kFunctions, "help", QT_TRANSLATE_NOOP("zw::Commands", "Functions"),
        QT_TRANSLATE_NOOP("zw::Commands", "The formula of each function and which have inverses")));
    t.push_back(
        after(item(command::kAbout, "help", QT_TRANSLATE_NOOP("zw::Commands", "About zwmap"),
                   QT_TRANSLATE_NOOP("zw::Commands", "Version, Qt version and licence"))));
}

}  // namespace zw::commandrows
