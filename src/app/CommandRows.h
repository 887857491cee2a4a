#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/Commands.h"

namespace zw {

class Workbench;

// The pieces the command table is built from, and the menus that build it: each menu's rows
// in a unit of its own, in the order the menus show.
namespace commandrows {

using Reading = Command::Reading;
using Run = std::function<void(Workbench&, Sender*)>;

Command menu(std::string id, std::string in, std::string title, bool separatorBefore = false);
Command item(std::string id, std::string in, std::string title, std::string tip, Run run = {});
// With a separator before it.
Command after(Command c);
Command keyed(Command c, StandardKey standard, std::string fallback, bool everyBinding = false);
Command keyed(Command c, std::string keys);
// A display option: the logic flips it from the mark before the click; the flag is its state.
Command option(Command c, Reading checked);
Command grouped(Command c, std::string group, Reading checked);
// Nothing in the history moves while a path is still being drawn.
bool idle(const Workbench& w);
Command whenIdle(Command c);

void addFile(std::vector<Command>& t);
void addEdit(std::vector<Command>& t);
void addFunction(std::vector<Command>& t);
void addDomain(std::vector<Command>& t);
void addRange(std::vector<Command>& t);
void addView(std::vector<Command>& t);
void addHelp(std::vector<Command>& t);

}  // namespace commandrows

}  // namespace zw
