#include "app/CommandRows.h"

#include <utility>

#include "app/Workbench.h"

namespace zw::commandrows {

Command menu(std::string id, std::string in, std::string title, bool separatorBefore) {
    Command c;
    c.kind = Command::Kind::Menu;
    c.id = std::move(id);
    c.menu = std::move(in);
    c.title = std::move(title);
    c.separatorBefore = separatorBefore;
    return c;
}

Command item(std::string id, std::string in, std::string title, std::string tip, Run run) {
    Command c;
    c.id = std::move(id);
    c.menu = std::move(in);
    c.title = std::move(title);
    c.tip = std::move(tip);
    c.run = std::move(run);
    return c;
}

Command after(Command c) {
    c.separatorBefore = true;
    return c;
}

Command keyed(Command c, StandardKey standard, std::string fallback, bool everyBinding) {
    c.standard = standard;
    c.keys = std::move(fallback);
    c.everyBinding = everyBinding;
    return c;
}

Command keyed(Command c, std::string keys) {
    c.keys = std::move(keys);
    return c;
}

Command option(Command c, Reading checked) {
    c.mark = Mark::Logic;
    c.checked = std::move(checked);
    return c;
}

Command grouped(Command c, std::string group, Reading checked) {
    c.mark = Mark::Group;
    c.group = std::move(group);
    c.checked = std::move(checked);
    return c;
}

bool idle(const Workbench& w) {
    return w.controller.canChangePathHistory();
}

Command whenIdle(Command c) {
    c.enabled = idle;
    return c;
}

// What the Function menu's mark stands for: a catalogue title, a typed map's name, or the

}  // namespace zw::commandrows
