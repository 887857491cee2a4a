#include "qt/Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

#include "app/UiLanguage.h"
#include "platform/Translatable.h"

namespace zw::translation {

namespace {

std::unique_ptr<QTranslator>& ownTranslator() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

std::unique_ptr<QTranslator>& qtTranslator() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

// The texts the core composes from a pattern and its parts. The parts are read back out of the
// English text, so the core keeps writing English (its tests and logs read that) and the window
// shows the translated pattern.
struct Pattern {
    const char* context;
    const char* english;
};

const Pattern kPatterns[] = {
    {i18n::kCommands, QT_TRANSLATE_NOOP("zw::Commands", "Undo %1")},
    {i18n::kCommands, QT_TRANSLATE_NOOP("zw::Commands", "Redo %1")},
    // A parameter's name, as the undo items show it.
    {i18n::kCommands, QT_TRANSLATE_NOOP("zw::Commands", "Change %1")},
    {i18n::kAlerts, QT_TRANSLATE_NOOP("zw::Alerts", "Save changes to %1?")},
    {i18n::kAlerts,
     QT_TRANSLATE_NOOP("zw::Alerts",
                       "The paths hold %1 points in %2 paths, and may hold at most %3 points in "
                       "%4 paths (counting their images and the removed paths Undo may bring "
                       "back), so that a session of them can be saved and opened again. Clear "
                       "the paths, or zoom out so that the shape needs fewer points.")},
    {i18n::kStatus, QT_TRANSLATE_NOOP("zw::StatusText", "zoom z %1  w %2")},
    {i18n::kStatus, QT_TRANSLATE_NOOP("zw::StatusText", "%1    1 preimage: %2")},
    {i18n::kStatus, QT_TRANSLATE_NOOP("zw::StatusText", "%1    %2 preimages: %3")},
    // The readouts are numbers but for "undefined"; the pattern lets it be translated.
    {i18n::kStatus, QT_TRANSLATE_NOOP("zw::StatusText", "z = %1    f(z) = %2")},
    {i18n::kStatus, QT_TRANSLATE_NOOP("zw::StatusText", "w = %1    f⁻¹(w) = %2")},
    {i18n::kStatus, QT_TRANSLATE_NOOP("zw::StatusText", "w = %1")},
    // What the preimage search adds at the end; the rest is a part of its own.
    {i18n::kStatus, QT_TRANSLATE_NOOP("zw::StatusText", "%1 (%2 left out)")},
    {i18n::kStatus, QT_TRANSLATE_NOOP("zw::StatusText", "%1 (search incomplete)")},
    // The name of a zero, pole or critical point under the pointer, said instead of the point.
    {i18n::kStatus, QT_TRANSLATE_NOOP("zw::StatusText", "zero of order %1 at %2")},
    {i18n::kStatus, QT_TRANSLATE_NOOP("zw::StatusText", "pole of order %1 at %2")},
    {i18n::kStatus, QT_TRANSLATE_NOOP("zw::StatusText", "critical point of order %1 at %2")},
    {i18n::kStatus, QT_TRANSLATE_NOOP("zw::StatusText", "critical value at %1")},
    {i18n::kStatus, QT_TRANSLATE_NOOP("zw::StatusText", "essential singularity at %1")},
    {i18n::kFields, QT_TRANSLATE_NOOP("zw::Fields", "%1 is empty.")},
    {i18n::kFields, QT_TRANSLATE_NOOP("zw::Fields", "%1: \"%2\" is too large.")},
    {i18n::kFields,
     QT_TRANSLATE_NOOP("zw::Fields", "%1: \"%2\" is not a number; use '.' as the decimal point.")},
    {i18n::kFields, QT_TRANSLATE_NOOP("zw::Fields", "%1: \"%2\" is not a number.")},
    {i18n::kFields, QT_TRANSLATE_NOOP("zw::Fields", "%1 must be a finite number.")},
    // The formula's faults; a part in quotes is what was typed.
    {i18n::kFields, QT_TRANSLATE_NOOP("zw::Fields", "inverse: %1")},
    {i18n::kFields,
     QT_TRANSLATE_NOOP("zw::Fields", "the formula is too long: at most %1 characters")},
    {i18n::kFields, QT_TRANSLATE_NOOP("zw::Fields", "missing operand at column %1")},
    {i18n::kFields, QT_TRANSLATE_NOOP("zw::Fields", "unexpected %1 at column %2")},
    {i18n::kFields, QT_TRANSLATE_NOOP("zw::Fields", "number out of range %1 at column %2")},
    {i18n::kFields, QT_TRANSLATE_NOOP("zw::Fields", "missing operator before %1 at column %2")},
    {i18n::kFields,
     QT_TRANSLATE_NOOP("zw::Fields", "too deeply nested at column %1: at most %2 levels")},
    {i18n::kFields, QT_TRANSLATE_NOOP("zw::Fields", "expected \"(\" after %1 at column %2")},
    {i18n::kFields,
     QT_TRANSLATE_NOOP("zw::Fields", "unknown function %1 (for a product write %2*(...))")},
    {i18n::kFields, QT_TRANSLATE_NOOP("zw::Fields", "unknown name %1: the variable here is %2")},
    {i18n::kFields, QT_TRANSLATE_NOOP("zw::Fields", "unknown name %1")},
    {i18n::kFields,
     QT_TRANSLATE_NOOP("zw::Fields", "not an inverse of f: f(inverse(w)) = %1 at w = %2")},
};

// "Undo %1" -> ^Undo (.+?)$. Each English pattern names its parts in the order of their
// numbers, so the n-th capture is %n.
QRegularExpression matcher(const QString& pattern) {
    static const QRegularExpression place(QStringLiteral("%([1-9])"));
    QString expression = QStringLiteral("^");
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = place.globalMatch(pattern); it.hasNext();) {
        const QRegularExpressionMatch found = it.next();
        expression += QRegularExpression::escape(pattern.mid(from, found.capturedStart() - from));
        expression += QStringLiteral("(.+?)");
        from = found.capturedEnd();
    }
    expression += QRegularExpression::escape(pattern.mid(from)) + QStringLiteral("$");
    return QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption);
}

// The patterns' matchers, made once: the status bar asks with every move of the pointer.
const std::vector<QRegularExpression>& matchers() {
    static const std::vector<QRegularExpression> made = [] {
        std::vector<QRegularExpression> list;
        for (const Pattern& pattern : kPatterns) {
            list.push_back(matcher(QString::fromUtf8(pattern.english)));
        }
        return list;
    }();
    return made;
}

// A part is a name, a number, or a text of the same context ("inverse: " and a fault).
QString translatedPart(const char* context, const QString& part) {
    return shown(context, part.toStdString());
}

// The translated pattern with its parts put in. Each %n once, in one pass: a part that itself
// holds "%2" stays as it is.
QString filled(const char* context, const QString& pattern, const QRegularExpressionMatch& parts) {
    QString result;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const int n = i + 1 < pattern.size() ? pattern[i + 1].digitValue() : -1;
        if (pattern[i] == QLatin1Char('%') && n >= 1 && n <= parts.lastCapturedIndex()) {
            result += translatedPart(context, parts.captured(n));
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

}  // namespace

QStringList available() {
    // The build puts every translations/zwmap_<language>.ts here, compiled.
    QStringList languages;
    const QDir dir(QStringLiteral(":/i18n"));
    for (const QString& name : dir.entryList({QStringLiteral("zwmap_*.qm")}, QDir::Files)) {
        languages << name.mid(6, name.size() - 6 - 3);
    }
    return languages;
}

QString install(QCoreApplication& app, const QStringList& preferred) {
    remove();
    std::vector<std::string> tags;
    for (const QString& tag : preferred) {
        tags.push_back(tag.toStdString());
    }
    std::vector<std::string> have;
    for (const QString& language : available()) {
        have.push_back(language.toStdString());
    }
    const QString language = QString::fromStdString(chooseLanguage(tags, have));
    if (language.isEmpty()) {
        return {};
    }
    auto own = std::make_unique<QTranslator>();
    if (!own->load(QStringLiteral(":/i18n/zwmap_") + language)) {
        return {};
    }
    app.installTranslator(own.get());
    ownTranslator() = std::move(own);
    // The standard dialogs' buttons and the help's headings are Qt's; without Qt's catalogue
    // (qt6-translations-l10n) they stay English and the rest is still translated.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_") + language,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        app.installTranslator(qt.get());
        qtTranslator() = std::move(qt);
    }
    return language;
}

QString install(QCoreApplication& app) {
    return install(app, QLocale::system().uiLanguages());
}

void remove() {
    for (std::unique_ptr<QTranslator>* translator : {&ownTranslator(), &qtTranslator()}) {
        if (*translator) {
            QCoreApplication::removeTranslator(translator->get());
            translator->reset();
        }
    }
}

QString shown(const char* context, const std::string& english) {
    if (english.empty()) {
        return {};
    }
    const QString text = QString::fromStdString(english);
    const QString whole = QCoreApplication::translate(context, english.c_str());
    if (whole != text || !ownTranslator()) {
        return whole;
    }
    for (std::size_t i = 0; i < std::size(kPatterns); ++i) {
        const Pattern& pattern = kPatterns[i];
        if (std::string_view(pattern.context) != context) {
            continue;
        }
        const QRegularExpressionMatch found = matchers()[i].match(text);
        if (!found.hasMatch()) {
            continue;
        }
        return filled(context, QCoreApplication::translate(context, pattern.english), found);
    }
    return text;
}

}  // namespace zw::translation
