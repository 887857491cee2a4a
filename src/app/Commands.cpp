#include "app/Commands.h"

#include "app/CommandRows.h"

namespace zw {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = [] {
        std::vector<Command> t;
        commandrows::addFile(t);
        commandrows::addEdit(t);
        commandrows::addFunction(t);
        commandrows::addDomain(t);
        commandrows::addRange(t);
        commandrows::addView(t);
        commandrows::addHelp(t);
        return t;
    }();
    return table;
}

namespace {

void visit(const std::string& menuId, std::vector<const Command*>& out) {
    for (const Command& c : commands()) {
        if (c.menu == menuId) {
            out.push_back(&c);
            if (c.kind == Command::Kind::Menu) {
                visit(c.id, out);
            }
        }
    }
}

}  // namespace

std::vector<const Command*> inMenuOrder() {
    std::vector<const Command*> out;
    visit("", out);
    return out;
}

const Command* findCommand(std::string_view id) {
    for (const Command& c : commands()) {
        if (c.id == id) {
            return &c;
        }
    }
    return nullptr;
}

std::string plainTitle(std::string_view title) {
    std::string plain;
    for (std::size_t i = 0; i < title.size(); ++i) {
        if (title[i] == '&') {
            if (i + 1 < title.size() && title[i + 1] == '&') {
                plain += '&';
                ++i;
            }
            continue;
        }
        plain += title[i];
    }
    return plain;
}

std::string placeOf(const Command& command) {
    std::string place = plainTitle(command.title);
    for (const Command* in = findCommand(command.menu); in != nullptr; in = findCommand(in->menu)) {
        place = plainTitle(in->title) + " > " + place;
    }
    return place;
}

}  // namespace zw
