#pragma once

#include <string>
#include <vector>

namespace zw::test {

// Every menu item of the window as it starts, in menu order, one line each:
// "Menu > Submenu > Title | keys | status tip | marks", the titles with their '&' mnemonics, the
// keys in portable text, the marks "x" checked, "o" checkable and unchecked, "-" disabled.
// A separator is "Menu > ---".
const std::vector<std::string>& menuLayout();

}  // namespace zw::test
