#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "WindowTest.h"
#include "app/Commands.h"
#include "engine/Catalogue.h"
#include "platform/Translatable.h"
#include "qt/MenuBuilder.h"
#include "qt/SessionActions.h"
#include "qt/Translation.h"

namespace zw::test {
namespace {

// The window in German, made after the translation is installed (as main does); every test
// leaves the application English again, as the other tests expect it.
class TranslationTest : public WindowTest {
  protected:
    void SetUp() override {}
    void TearDown() override {
        WindowTest::TearDown();
        translation::remove();
    }

    void openGermanWindow() {
        ASSERT_EQ(translation::install(*qApp, {QStringLiteral("de-DE")}), QStringLiteral("de"));
        WindowTest::SetUp();
    }

    QAction* item(const char* id) const { return window->menus()->action(id); }
};

TEST_F(TranslationTest, InstallsGermanOnlyWhenItComesBeforeEnglish) {
    EXPECT_EQ(translation::available(), QStringList{QStringLiteral("de")});
    const struct {
        QStringList preferred;
        const char* installed;
    } cases[] = {
        {{QStringLiteral("de-DE"), QStringLiteral("en-US")}, "de"},
        {{QStringLiteral("fr-FR"), QStringLiteral("de-AT")}, "de"},
        {{QStringLiteral("en-GB"), QStringLiteral("de-DE")}, ""},
        {{QStringLiteral("fr-FR")}, ""},
        {{}, ""},
    };
    for (const auto& c : cases) {
        const QString installed = translation::install(*qApp, c.preferred);
        EXPECT_EQ(installed.toStdString(), c.installed) << c.preferred.join(',').toStdString();
        // What is installed is what the texts say: nothing left over from the case before.
        const bool german = installed == QStringLiteral("de");
        EXPECT_EQ(QCoreApplication::translate(i18n::kCommands, "&File"),
                  german ? QStringLiteral("&Datei") : QStringLiteral("&File"));
    }
    // Qt's own strings (the standard buttons, the help's headings) come along with German.
    translation::install(*qApp, {QStringLiteral("de")});
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    translation::remove();
    EXPECT_EQ(QCoreApplication::translate(i18n::kCommands, "&File"), QStringLiteral("&File"));
}

TEST_F(TranslationTest, EveryMenuAndItemIsGermanButTheCatalogueTitles) {
    openGermanWindow();
    // Each item shows its text in the window's language (whether every text has a German one
    // is for tools.translations to say).
    for (const Command& command : commands()) {
        const QAction* shown = item(command.id.c_str());
        ASSERT_NE(shown, nullptr) << command.id;
        if (command.id.rfind(command::kFunctionPrefix, 0) == 0) {
            // The function's name, which sessions keep: the same in every language.
            EXPECT_EQ(shown->text(), QString::fromStdString(command.title));
            EXPECT_EQ(shown->statusTip(), translation::shown(i18n::kFunctions, command.tip));
            continue;
        }
        EXPECT_EQ(shown->text(), translation::shown(i18n::kCommands, command.title)) << command.id;
        EXPECT_EQ(shown->statusTip(), translation::shown(i18n::kCommands, command.tip))
            << command.id;
    }
    // A few by name, so that the loop cannot pass with the translation missing.
    const struct {
        const char* id;
        const char* title;
        const char* tip;
    } named[] = {
        {"file", "&Datei", ""},
        {"domain", "De&finitionsbereich", ""},
        {command::kOpenRecent, "&Zuletzt geöffnet", ""},
        {"domain.zoomIn", "Vergrößern", "Um den Faktor 2 um die Mitte vergrößern"},
        {"function.catalogue.Square", "Square", "w = z²; keine Umkehrfunktion"},
        {command::kCopyPicture, "Bild kopieren",
         "Beide Ebenen als Bild kopieren, um sie in ein Dokument einzufügen"},
        {command::kExportAnimation, "Animation exportieren...",
         "Ein animiertes GIF, WebP oder eine nummerierte PNG-Serie der Ebenen speichern, während "
         "sich ein Parameter bewegt"},
    };
    for (const auto& n : named) {
        ASSERT_NE(item(n.id), nullptr) << n.id;
        EXPECT_EQ(item(n.id)->text(), QString::fromUtf8(n.title));
        EXPECT_EQ(item(n.id)->statusTip(), QString::fromUtf8(n.tip));
    }
    std::size_t catalogueItems = 0;
    for (const catalogue::Entry& entry : catalogue::functions()) {
        catalogueItems += findAction(*window, QStringLiteral("Funktion"),
                                     QString::fromUtf8(entry.title)) != nullptr;
    }
    EXPECT_EQ(catalogueItems, catalogue::functions().size());

    // The undo item's title is composed from the action's name.
    drag(domainPane(), {{100, 100}, {150, 120}, {200, 160}});
    settle();
    window->menus()->refresh();
    EXPECT_EQ(item("edit.undo")->text(), QStringLiteral("Rückgängig: Zuletzt gezeichneter Pfad"));
}

TEST_F(TranslationTest, ComposedTextsKeepTheirPartsAsWritten) {
    const std::string held =
        "The paths hold 12 points in 3 paths, and may hold at most 1000000 points in 2000 paths "
        "(counting their images and the removed paths Undo may bring back), so that a session "
        "of them can be saved and opened again. Clear the paths, or zoom out so that the shape "
        "needs fewer points.";
    const struct {
        const char* context;
        std::string english;
        const char* german;
    } cases[] = {
        {i18n::kAlerts, "Save changes to Untitled?", "Änderungen an Unbenannt speichern?"},
        // A part is put back once, as it was: a "%2" in a file's name stays.
        {i18n::kAlerts, "Save changes to a %2 b.zwmap?", "Änderungen an a %2 b.zwmap speichern?"},
        {i18n::kAlerts, held,
         "Die Pfade umfassen 12 Punkte in 3 Pfaden und dürfen höchstens 1000000 Punkte in 2000 "
         "Pfaden umfassen"},
        {i18n::kCommands, "Undo Redraw Images", "Rückgängig: Bilder neu zeichnen"},
        {i18n::kCommands, "Redo Remove Last Path", "Wiederholen: Letzten Pfad entfernen"},
        {i18n::kCommands, "Undo Change a", "Rückgängig: a ändern"},
        {i18n::kStatus, "zoom z ×1/8  w ×2^40", "Zoom z ×1/8  w ×2^40"},
        {i18n::kStatus, "w = 1.500 - 0.250i    2 preimages: 0.500, -0.500",
         "w = 1.500 - 0.250i    2 Urbilder: 0.500, -0.500"},
        {i18n::kStatus, "z = undefined    f(z) = undefined",
         "z = undefiniert    f(z) = undefiniert"},
        {i18n::kStatus, "w = undefined    1 preimage: 0.500", "w = undefiniert    1 Urbild: 0.500"},
        {i18n::kStatus,
         "w = 1.000    3 preimages: 1.000, 2.000, 3.000, ... (12 left out) (search incomplete)",
         "w = 1.000    3 Urbilder: 1.000, 2.000, 3.000, ... (12 weitere ausgelassen) (Suche "
         "unvollständig)"},
        {i18n::kStatus, "w = 1.000    (search incomplete)", "w = 1.000    (Suche unvollständig)"},
        // A mark under the pointer is named; its numbers stay in the C locale.
        {i18n::kStatus, "zero of order 2 at 2.000 + 1.000i",
         "Nullstelle der Ordnung 2 bei 2.000 + 1.000i"},
        {i18n::kStatus, "critical point of order 1 at -0.500",
         "kritischer Punkt der Ordnung 1 bei -0.500"},
        {i18n::kStatus, "critical value at 0.250 - 1.500i", "kritischer Wert bei 0.250 - 1.500i"},
        {i18n::kStatus, "essential singularity at 0", "wesentliche Singularität bei 0"},
        {i18n::kCommands, "Undo Path Drawn in Range",
         "Rückgängig: Im Bildbereich gezeichneter Pfad"},
        {i18n::kAlerts, "There is nothing to animate.", "Es gibt nichts zu animieren."},
        {i18n::kFields, "Radius: \"1,5\" is not a number; use '.' as the decimal point.",
         "Radius: „1,5“ ist keine Zahl; verwenden Sie „.“ als Dezimaltrennzeichen."},
        {i18n::kFields, "End, real part is empty.", "Ende, Realteil ist leer."},
        // Patterns nest: the inverse's fault is itself one.
        {i18n::kFields, "inverse: unknown name \"q\": the variable here is w",
         "Umkehrfunktion: unbekannter Name \"q\": die Variable ist hier w"},
        // Neither a text nor a pattern of the context: shown as it is.
        {i18n::kAlerts, "Undo Redraw Images", "Undo Redraw Images"},
        {i18n::kStatus, "z = 0.500 + 1.250i", "z = 0.500 + 1.250i"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(translation::shown(c.context, c.english), QString::fromStdString(c.english))
            << "English before any translation is installed";
    }
    ASSERT_EQ(translation::install(*qApp, {QStringLiteral("de")}), QStringLiteral("de"));
    for (const auto& c : cases) {
        EXPECT_TRUE(
            translation::shown(c.context, c.english).startsWith(QString::fromUtf8(c.german)))
            << c.english << " -> " << translation::shown(c.context, c.english).toStdString();
    }
    // The question after a crash is the window's own, with the time as the clock shows it.
    EXPECT_EQ(QCoreApplication::translate("zw::RecoveryKeeper", "Restore the unsaved work from %1?")
                  .arg(QStringLiteral("14:05")),
              QStringLiteral("Die ungesicherte Arbeit von 14:05 wiederherstellen?"));
}

TEST_F(TranslationTest, ASessionSavedInGermanIsTheSameAsInEnglish) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // The same steps in both languages: a catalogue function by its item, a path, a zoom.
    const auto saved = [&](const QString& name, const QString& functionMenu) {
        WindowTest::SetUp();
        QAction* square = findAction(*window, functionMenu, QStringLiteral("Square"));
        EXPECT_NE(square, nullptr);
        if (square != nullptr) {
            square->trigger();
        }
        item("range.zoomOut")->trigger();
        drag(domainPane(), {{120, 100}, {160, 130}, {200, 140}});
        settle();
        const QString path = dir.filePath(name);
        EXPECT_TRUE(window->sessionActions()->saveFile(path));
        WindowTest::TearDown();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    };
    const QByteArray english = saved(QStringLiteral("en.zwmap"), QStringLiteral("Function"));
    ASSERT_EQ(translation::install(*qApp, {QStringLiteral("de")}), QStringLiteral("de"));
    const QByteArray german = saved(QStringLiteral("de.zwmap"), QStringLiteral("Funktion"));
    ASSERT_FALSE(english.isEmpty());
    EXPECT_TRUE(english.contains("\"Square\""));
    EXPECT_EQ(german, english);
}

}  // namespace
}  // namespace zw::test
