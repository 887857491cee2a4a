// The menus as the window builds them from the command table: every item's place, keys, tip
// and marks, and the marks, enabled states and titles following the core.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include "WindowTest.h"
#include "app/Commands.h"
#include "qt/MenuBuilder.h"
#include "qt/SessionActions.h"
#include "support/MenuLayout.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw::test {
namespace {

using CommandMenusTest = WindowTest;

void describe(QMenu* menu, const QString& where, std::vector<std::string>& out) {
    for (QAction* item : menu->actions()) {
        if (item->isSeparator()) {
            out.push_back((where + QStringLiteral(" > ---")).toStdString());
            continue;
        }
        const QString here = where + QStringLiteral(" > ") + item->text();
        if (item->menu() != nullptr) {
            describe(item->menu(), here, out);
            continue;
        }
        QStringList keys;
        for (const QKeySequence& key : item->shortcuts()) {
            keys << key.toString(QKeySequence::PortableText);
        }
        QString marks;
        if (item->isCheckable()) {
            marks = item->isChecked() ? QStringLiteral("x") : QStringLiteral("o");
        }
        if (!item->isEnabled()) {
            marks += QLatin1Char('-');
        }
        out.push_back(QStringList{here, keys.join(QStringLiteral(", ")), item->statusTip(), marks}
                          .join(QStringLiteral(" | "))
                          .toStdString());
    }
}

TEST_F(CommandMenusTest, TheMenusStartWithTheirTitlesKeysTipsAndMarks) {
    std::vector<std::string> shown;
    for (QAction* top : window->menuBar()->actions()) {
        describe(top->menu(), top->text(), shown);
    }
    const std::vector<std::string>& expected = menuLayout();
    ASSERT_EQ(shown.size(), expected.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i], expected[i]) << "line " << i;
    }
}

// Every item whose mark, state or title the table reads from the core shows what it reads.
void expectItemsFollowTheCore(const MainWindow& window) {
    for (const Command& command : commands()) {
        const QAction* item = window.menus()->action(command.id);
        ASSERT_NE(item, nullptr) << command.id;
        if (command.checked) {
            EXPECT_EQ(item->isChecked(), command.checked(window.workbench())) << command.id;
        }
        if (command.enabled) {
            EXPECT_EQ(item->isEnabled(), command.enabled(window.workbench())) << command.id;
        }
        if (command.liveTitle) {
            EXPECT_EQ(item->text().toStdString(), command.liveTitle(window.workbench()))
                << command.id;
        }
    }
}

TEST_F(CommandMenusTest, TheItemsFollowTheCoreAfterASessionIsOpenedAndAfterAnUndo) {
    // Options changed behind the menus' back are what the file keeps.
    DomainView& domain = *window->domainView();
    Controller& controller = *window->controller();
    domain.showContours = true;
    domain.shadingColours = ShadingColours::ColourWheel;
    window->rangeView()->showGridlines = true;
    controller.followCurvesNearPoles = true;
    controller.setParameters("usersMobiusMap", 1, 0, 1, 0, 0, 0, 1, 0);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("options.zwmap"));
    ASSERT_TRUE(window->sessionActions()->saveFile(file));
    domain.showContours = false;
    domain.shadingColours = ShadingColours::Classic;
    window->rangeView()->showGridlines = false;
    controller.followCurvesNearPoles = false;
    trigger("Function", "Sin");
    ASSERT_FALSE(action("Domain", "Shade by Modulus")->isChecked());

    ASSERT_TRUE(window->sessionActions()->openFile(file));
    expectItemsFollowTheCore(*window);
    for (const auto& [menu, title] : {std::pair{"Domain", "Shade by Modulus"},
                                      {"Domain", "Colour Wheel"},
                                      {"Range", "Show Grid"},
                                      {"View", "Follow Curves Near Poles"},
                                      {"Function", "Möbius Map..."}}) {
        EXPECT_TRUE(action(menu, title)->isChecked()) << title;
    }
    EXPECT_FALSE(action("Function", "Sin")->isChecked());

    drag(domainPane(), {{100, 100}, {140, 120}});
    expectItemsFollowTheCore(*window);
    trigger("Edit", "Undo Last Path Drawn");
    expectItemsFollowTheCore(*window);
    EXPECT_TRUE(action("Edit", "Redo Last Path Drawn")->isEnabled());
}

TEST_F(CommandMenusTest, KeysAndMouseListsTheMenuShortcutsInMenuOrder) {
    std::vector<std::string> listed;
    for (const MenuBuilder::Shortcut& shortcut : window->menus()->shortcuts()) {
        listed.push_back(shortcut.place.toStdString() + " | " +
                         QKeySequence(shortcut.keys, QKeySequence::NativeText)
                             .toString(QKeySequence::PortableText)
                             .toStdString());
    }
    const std::vector<std::string> expected = {
        "File > New | Ctrl+N",
        "File > Open... | Ctrl+O",
        "File > Save | Ctrl+S",
        "File > Save As... | Ctrl+Shift+S",
        "File > Export Picture... | Ctrl+Shift+E",
        "File > Quit | Ctrl+Q",
        "Edit > Undo | Ctrl+Z",
        "Edit > Redo | Ctrl+Y",
        "Edit > Copy Picture | Ctrl+C",
        "Edit > Copy Focused Plane | Ctrl+Alt+C",
        "Edit > Add Circle... | Ctrl+Shift+C",
        "Edit > Add Line... | Ctrl+Shift+L",
        "Function > Möbius Map... | Ctrl+Shift+M",
        "Function > Cubic Polynomial... | Ctrl+Shift+P",
        "Function > Affine Map... | Ctrl+Shift+A",
        "Function > Formula... | Ctrl+Shift+F",
        "Domain > Zoom In | Ctrl++",
        "Domain > Zoom Out | Ctrl+-",
        "Range > Zoom In | Ctrl+Alt+=",
        "Range > Zoom Out | Ctrl+Alt+-",
        "View > Go to Domain | Ctrl+1",
        "View > Go to Range | Ctrl+2",
        "Help > Keys and Mouse | F1",
    };
    EXPECT_EQ(listed, expected);
}

}  // namespace
}  // namespace zw::test
