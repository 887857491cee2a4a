// The command table: identities, places, and each row's action and readings agreeing with
// each other and with the menus as they always were.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/Commands.h"
#include "support/AppHarness.h"
#include "support/MenuLayout.h"

namespace zw {
namespace {

using test::AppHarness;
using test::FakeSender;

TEST(CommandsTest, IdsAreUniqueAndNoTitleAndEveryPlaceIsAMenuBeforeIt) {
    std::set<std::string> seen;
    std::set<std::string> menus = {""};
    for (const Command& c : commands()) {
        EXPECT_FALSE(c.id.empty());
        EXPECT_TRUE(seen.insert(c.id).second) << c.id;
        EXPECT_NE(c.id, c.title);
        EXPECT_NE(c.id, plainTitle(c.title));
        EXPECT_TRUE(menus.count(c.menu)) << c.id << " sits in " << c.menu;
        if (c.kind == Command::Kind::Menu) {
            menus.insert(c.id);
            continue;
        }
        EXPECT_FALSE(c.tip.empty()) << c.id;
        EXPECT_EQ(c.group.empty(), c.mark != Mark::Group) << c.id;
        EXPECT_EQ(c.checked == nullptr, c.mark == Mark::None || c.mark == Mark::Own) << c.id;
    }
    EXPECT_EQ(findCommand(command::kQuit)->title, "Quit");
    EXPECT_EQ(findCommand("no such command"), nullptr);
    EXPECT_EQ(placeOf(*findCommand("range.pathColour.other")), "Range > Path Colour > Other...");
}

TEST(CommandsTest, PlainTitlesDropMnemonicMarkers) {
    const std::pair<const char*, const char*> cases[] = {
        {"F&unction", "Function"},
        {"&&&Tan&", "&Tan"},
        {"Black && &White", "Black & White"},
        {"&&&&", "&&"},
        {"", ""},
    };
    for (const auto& [title, plain] : cases) {
        EXPECT_EQ(plainTitle(title), plain) << title;
    }
}

// The table read on a freshly woken workbench gives the menus as they have always been.
TEST(CommandsTest, TheTableInMenuOrderIsTheMenusAsTheyStart) {
    AppHarness app;
    std::vector<std::string> lines;
    for (const Command* c : inMenuOrder()) {
        std::string where = c->title;
        for (const Command* in = findCommand(c->menu); in != nullptr; in = findCommand(in->menu)) {
            where = in->title + " > " + where;
        }
        if (c->separatorBefore) {
            lines.push_back(where.substr(0, where.rfind(" > ")) + " > ---");
        }
        if (c->kind == Command::Kind::Menu) {
            continue;
        }
        std::string marks;
        if (c->mark != Mark::None) {
            marks = (c->checked ? c->checked(app.workbench) : c->startsChecked) ? "x" : "o";
        }
        if (c->enabled && !c->enabled(app.workbench)) {
            marks += "-";
        }
        lines.push_back(where + " | " + c->keys + " | " + c->tip + " | " + marks);
    }
    const std::vector<std::string>& expected = test::menuLayout();
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], expected[i]) << "line " << i;
    }
}

// Each item's action and the reading of its mark are about the same state: a toggle flips what
// its mark reads, a group's item makes its own mark the group's one.
TEST(CommandsTest, EachActionChangesWhatItsMarkReads) {
    AppHarness app;
    Workbench& w = app.workbench;
    FakeSender identity("Identity");
    for (const Command& c : commands()) {
        // Drawing in the range is refused with a notice and never checked.
        if (!c.run || c.mark == Mark::None || c.id == "range.allowDrawing") {
            continue;
        }
        // A function with an inverse, so that the pull-backs may be switched on.
        w.controller.setFunction(&identity);
        const bool before = c.checked(w);
        // The item may show anything: a function is chosen by its row, not by the item's text.
        FakeSender sender("shown as something else", before ? 1 : 0);
        c.run(w, &sender);
        if (c.mark == Mark::Logic) {
            EXPECT_NE(c.checked(w), before) << c.id;
            EXPECT_EQ(sender.state(), c.checked(w) ? 1 : 0) << c.id;
            continue;
        }
        for (const Command& other : commands()) {
            if (other.group == c.group) {
                EXPECT_EQ(other.checked(w), &other == &c) << c.id << " then " << other.id;
            }
        }
    }
}

}  // namespace
}  // namespace zw
