#pragma once

#include <QString>
#include <QStringList>
#include <string>

class QCoreApplication;

namespace zw {

// The window's language: zwmap's own texts and Qt's standard dialogs, chosen from the person's
// languages in their order of preference (QLocale::system().uiLanguages(): LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG). Numbers are never translated: they stay in the C locale whatever this is.
namespace translation {

// The languages zwmap speaks besides English, the language its texts are written in.
QStringList available();
// Loads and installs the translation for the first of `preferred` that zwmap has (and Qt's own
// for it); English needs none. Returns the language installed, "" for English. Call it once the
// application object exists, before any window or the help is made.
QString install(QCoreApplication& app, const QStringList& preferred);
QString install(QCoreApplication& app);
// Takes the installed translation away again: the texts are English from then on.
void remove();

// A text of the core's (marked with QT_TRANSLATE_NOOP there) as the window shows it. A text
// composed from a known pattern ("Undo %1", "Save changes to %1?") is translated as that
// pattern, with its parts (names, numbers) put back as they were written, or translated where
// they are themselves texts of the same context.
QString shown(const char* context, const std::string& english);

}  // namespace translation

}  // namespace zw
