// The Edit menu while a path is being drawn, and menu items whose texts carry accelerators.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "WindowTest.h"
#include "engine/ComplexFunctions.h"
#include "engine/Transformations.h"
#include "qt/MenuItemSender.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw::test {
namespace {

using EditHistoryTest = WindowTest;

void mouse(PlaneWidget* pane, QEvent::Type type, QPointF at, Qt::MouseButton button,
           Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, pane->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(pane, &event);
}

QList<QAction*> historyItems(MainWindow& window) {
    QList<QAction*> items;
    for (QAction* item : menuNamed(window, QStringLiteral("Edit"))->actions()) {
        // Adding a shape is a path too, but through a dialog; copying a picture moves nothing.
        if (!item->isSeparator() && !item->text().startsWith(QStringLiteral("Add ")) &&
            !item->text().startsWith(QStringLiteral("Copy "))) {
            items.append(item);
        }
    }
    return items;
}

TEST_F(EditHistoryTest, TheHistoryItemsAreOffWhileTheButtonIsDownAndActAfterTheRelease) {
    drag(domainPane(), {{100, 100}, {120, 110}, {140, 100}});
    trigger("Edit", "Remove Last Path");
    trigger("Edit", "Undo Remove Last Path");
    ASSERT_EQ(window->domainView()->paths.size(), 1u);
    ASSERT_TRUE(window->undoManager()->canRedo());
    const QList<QAction*> items = historyItems(*window);
    ASSERT_EQ(items.size(), 4);
    for (QAction* item : items) {
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
    }

    mouse(domainPane(), QEvent::MouseButtonPress, {200, 150}, Qt::LeftButton, Qt::LeftButton);
    mouse(domainPane(), QEvent::MouseMove, {210, 160}, Qt::NoButton, Qt::LeftButton);
    DomainView& domain = *window->domainView();
    Path* drawn = domain.paths.back().get();
    for (QAction* item : items) {
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
        item->trigger();
    }
    QKeyEvent ctrlZ(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a"));
    QApplication::sendEvent(domainPane(), &ctrlZ);
    settle();
    ASSERT_EQ(domain.paths.size(), 2u);
    EXPECT_EQ(domain.paths.back().get(), drawn);
    EXPECT_TRUE(domain.removedPaths.empty());

    mouse(domainPane(), QEvent::MouseMove, {220, 150}, Qt::NoButton, Qt::LeftButton);
    mouse(domainPane(), QEvent::MouseButtonRelease, {220, 150}, Qt::LeftButton, Qt::NoButton);
    settle();
    EXPECT_EQ(drawn->elementCount(), 3u);
    for (QAction* item : items) {
        if (item != items[1]) {  // Redo: drawing emptied its stack
            EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
        }
    }
    trigger("Edit", "Undo Last Path Drawn");
    ASSERT_EQ(domain.removedPaths.size(), 1u);
    EXPECT_EQ(domain.removedPaths.back().get(), drawn);
}

TEST_F(EditHistoryTest, AReleaseThatWentElsewhereEndsThePathAtTheNextMove) {
    mouse(domainPane(), QEvent::MouseButtonPress, {200, 150}, Qt::LeftButton, Qt::LeftButton);
    mouse(domainPane(), QEvent::MouseMove, {210, 160}, Qt::NoButton, Qt::LeftButton);
    ASSERT_TRUE(window->domainView()->isDrawingPath());
    mouse(domainPane(), QEvent::MouseMove, {230, 160}, Qt::NoButton, Qt::NoButton);
    settle();
    EXPECT_FALSE(window->domainView()->isDrawingPath());
    EXPECT_EQ(window->domainView()->paths.back()->elementCount(), 2u);
    EXPECT_NE(action("Edit", "Undo Last Path Drawn"), nullptr);
    EXPECT_TRUE(action("Edit", "Undo Last Path Drawn")->isEnabled());
}

TEST(MenuItemSenderTest, TitlesLeaveOutAcceleratorMarkers) {
    EXPECT_EQ(MenuItemSender::withoutAccelerators(QStringLiteral("&Sin")), QStringLiteral("Sin"));
    EXPECT_EQ(MenuItemSender::withoutAccelerators(QStringLiteral("Hyperbolic &Plane To Disk")),
              QStringLiteral("Hyperbolic Plane To Disk"));
    EXPECT_EQ(MenuItemSender::withoutAccelerators(QStringLiteral("1/(e&xp(1/z)-1)")),
              QStringLiteral("1/(exp(1/z)-1)"));
    EXPECT_EQ(MenuItemSender::withoutAccelerators(QStringLiteral("Black && &White")),
              QStringLiteral("Black & White"));
    EXPECT_EQ(MenuItemSender::withoutAccelerators(QStringLiteral("&&&Tan&")),
              QStringLiteral("&Tan"));
    EXPECT_EQ(MenuItemSender::withoutAccelerators(QStringLiteral("&&&&")), QStringLiteral("&&"));
}

// Some desktops' themes put an accelerator into every item's text.
TEST_F(EditHistoryTest, FunctionItemsWithAcceleratorsChooseTheirFunctions) {
    struct Case {
        const char* title;
        const char* shown;
        ComplexFunction function;
    };
    const Case cases[] = {{"Sin", "&Sin", &csin},
                          {"Tan", "Ta&n", &ctan},
                          {"1/(exp(1/z)-1)", "1/(e&xp(1/z)-1)", &expnoniso},
                          {"Hyperbolic Plane To Disk", "&Hyperbolic Plane &To Disk", &hyperbolic}};
    for (const Case& c : cases) {
        QAction* item = action("Function", QString::fromUtf8(c.title));
        ASSERT_NE(item, nullptr);
        item->setText(QString::fromUtf8(c.shown));
        item->trigger();
        EXPECT_EQ(engine::func, c.function) << c.shown;
    }
}

}  // namespace
}  // namespace zw::test
