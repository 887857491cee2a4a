#include "qt/CommandLine.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>

#include "platform/Log.h"
#include "qt/AtomicFile.h"
#include "qt/MainWindow.h"
#include "qt/RecoveryKeeper.h"
#include "qt/SessionActions.h"
#include "qt/WindowPreferences.h"
#include "session/Session.h"
#include "session/SessionReader.h"
#include "session/SessionScene.h"

namespace zw {

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int complain(const QString& message, int status) {
    // Diagnostics held back come first: the error is the last line, whatever came before.
    flushLog();
    std::fprintf(stderr, "zwmap: %s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
    return status;
}

QString noDisplayMessage() {
    return QStringLiteral(
        "no display to show the window on (DISPLAY is not set); --export makes a picture "
        "without one");
}

// Qt's own messages (a missing XDG_RUNTIME_DIR, fonts) say nothing about the picture.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "zwmap: %s\n", message.toLocal8Bit().constData());
    }
}

// Whether the platform Qt would pick has nothing to show a window on.
bool withoutDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.isEmpty()) {
        return !x11 && !wayland;
    }
    if (platform.startsWith("xcb")) {
        return !x11;
    }
    if (platform.startsWith("wayland")) {
        return !wayland;
    }
    return false;
}

}  // namespace

CommandLine::Request CommandLine::read(const QStringList& arguments) {
    Request request;
    const auto usage = [&request](const QString& message) {
        request.action = Action::Usage;
        request.error = message;
        return request;
    };
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments)) {
        // Qt's options are single-dash words (-style, -platform, -reverse); zwmap has none.
        static const QRegularExpression qtOption(QStringLiteral("^-[A-Za-z][A-Za-z-]+(=.*)?$"));
        request.readAgain = std::any_of(
            arguments.begin() + std::min<qsizetype>(1, arguments.size()), arguments.end(),
            [](const QString& a) { return qtOption.match(a).hasMatch(); });
        return usage(parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help"))) {
        request.action = Action::Help;
        return request;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        request.action = Action::Version;
        return request;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return usage(QStringLiteral("one session file at most, not %1").arg(files.size()));
    }
    if (!files.isEmpty()) {
        request.session = files.front();
    }
    request.verbose = parser.isSet(QStringLiteral("verbose"));
    request.resetSettings = parser.isSet(QStringLiteral("reset-settings"));
    const QString size = QStringLiteral("size");
    const QString scale = QStringLiteral("scale");
    const QString plane = QStringLiteral("plane");
    if (!parser.isSet(QStringLiteral("export"))) {
        if (parser.isSet(size) || parser.isSet(plane) || parser.isSet(scale)) {
            return usage(QStringLiteral("--size, --scale and --plane go with --export"));
        }
        return request;
    }

    request.action = Action::Export;
    request.picture = parser.value(QStringLiteral("export"));
    if (request.picture.isEmpty()) {
        return usage(QStringLiteral("--export needs the picture's name, ending in .png or .svg"));
    }
    if (!PictureExporter::isPng(request.picture) && !PictureExporter::isSvg(request.picture)) {
        return usage(request.picture +
                     QStringLiteral(": the picture's name must end in .png or .svg"));
    }
    if (request.session.isEmpty()) {
        return usage(QStringLiteral("--export needs a session file to render"));
    }
    if (!PictureExporter::planesFromName(parser.value(plane), request.planes)) {
        return usage(QStringLiteral("--plane must be domain, range or both, not '%1'")
                         .arg(parser.value(plane)));
    }
    request.size = QSize(request.planes == PictureExporter::Planes::Both ? 1000 : 500, 500);
    if (parser.isSet(size) && !parseSize(parser.value(size), request.size)) {
        return usage(QStringLiteral("--size must be WIDTHxHEIGHT, each from 16 to %1, not '%2'")
                         .arg(kMaxSide)
                         .arg(parser.value(size)));
    }
    if (parser.isSet(scale) && !parseScale(parser.value(scale), request.scale)) {
        return usage(QStringLiteral("--scale must be a whole number from 1 to %1, not '%2'")
                         .arg(PictureExporter::kMaxScale)
                         .arg(parser.value(scale)));
    }
    const QSize pixels = request.size * request.scale;
    if (pixels.width() > kMaxSide || pixels.height() > kMaxSide) {
        return usage(QStringLiteral("--size times --scale must be at most %1 pixels a side, "
                                    "not %2x%3")
                         .arg(kMaxSide)
                         .arg(pixels.width())
                         .arg(pixels.height()));
    }
    return request;
}

CommandLine::CommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    request_ = read(arguments);
}

std::optional<int> CommandLine::finishEarly() {
    switch (request_.action) {
        case Action::Usage:
            if (!request_.readAgain) {
                return complain(request_.error, kExitUsage);
            }
            // Qt takes its options out; nothing it says on the way is the user's concern.
            qInstallMessageHandler(quietMessages);
            noDisplay_ = withoutDisplay();
            if (noDisplay_) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
            }
            return std::nullopt;
        case Action::Window:
            if (withoutDisplay()) {
                return complain(noDisplayMessage(), kExitFailure);
            }
            return std::nullopt;
        case Action::Export:
        case Action::Help:
        case Action::Version:
            qputenv("QT_QPA_PLATFORM", "offscreen");
            if (!request_.verbose) {
                qInstallMessageHandler(quietMessages);
            }
            return std::nullopt;
    }
    return std::nullopt;
}

bool CommandLine::parseSize(const QString& text, QSize& size) {
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return false;
    }
    const int w = match.captured(1).toInt();
    const int h = match.captured(2).toInt();
    if (w < 16 || h < 16 || w > kMaxSide || h > kMaxSide) {
        return false;
    }
    size = QSize(w, h);
    return true;
}

bool CommandLine::parseScale(const QString& text, int& scale) {
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{1,2}$"));
    if (!pattern.match(text).hasMatch()) {
        return false;
    }
    const int n = text.toInt();
    if (n < 1 || n > PictureExporter::kMaxScale) {
        return false;
    }
    scale = n;
    return true;
}

bool CommandLine::exportPicture(const QString& sessionPath, const QString& out, QSize size,
                                PictureExporter::Planes planes, QString& error, int scale) {
    if (!PictureExporter::isPng(out) && !PictureExporter::isSvg(out)) {
        error = out + QStringLiteral(": the picture's name must end in .png or .svg");
        return false;
    }
    Session session;
    std::string why;
    if (!SessionReader::load(QFile::encodeName(sessionPath).toStdString(), session, why)) {
        error = QFile::decodeName(QByteArray::fromStdString(why));
        return false;
    }
    // Side by side the planes share the width, as in the window.
    const bool both = planes == PictureExporter::Planes::Both;
    const int domainWidth = both ? (size.width() - PictureExporter::kGap) / 2 : size.width();
    const int rangeWidth = both ? size.width() - PictureExporter::kGap - domainWidth : size.width();
    SessionScene scene(CGSize{static_cast<double>(domainWidth), static_cast<double>(size.height())},
                       CGSize{static_cast<double>(rangeWidth), static_cast<double>(size.height())});
    scene.apply(session);
    const QByteArray bytes =
        PictureExporter::isSvg(out)
            ? PictureExporter::svg(scene.domain(), scene.range(), planes, scale)
            : PictureExporter::png(
                  PictureExporter::render(scene.domain(), scene.range(), planes, scale));
    return AtomicFile::write(out, bytes, error);
}

void CommandLine::addOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QCoreApplication::translate(
        "zw::CommandLine",
        "Complex functions w = f(z) as mappings of the plane.\n"
        "With --export, zwmap prints nothing when the picture is written and exits with 0; an "
        "error is one line on standard error, with status 1 (a file that cannot be read or "
        "written) or 2 (a usage error)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption exportOption(
        QStringLiteral("export"),
        QCoreApplication::translate(
            "zw::CommandLine",
            "Render the session into OUT (.png or .svg) without a screen, then exit."),
        QStringLiteral("OUT"));
    const QCommandLineOption sizeOption(
        QStringLiteral("size"),
        QCoreApplication::translate(
            "zw::CommandLine",
            "Size of the picture in pixels (default 1000x500; one plane 500x500). A "
            "larger size shows more of the planes at the same zoom."),
        QStringLiteral("WxH"));
    const QCommandLineOption scaleOption(
        QStringLiteral("scale"),
        QCoreApplication::translate(
            "zw::CommandLine",
            "The same view in N times the pixels, sharper, N from 1 (the default) "
            "to 8; an SVG becomes a document N times as large."),
        QStringLiteral("N"));
    const QCommandLineOption planeOption(
        QStringLiteral("plane"),
        QCoreApplication::translate("zw::CommandLine",
                                    "The planes to show: domain, range or both."),
        QStringLiteral("PLANE"), QStringLiteral("both"));
    const QCommandLineOption verboseOption(
        QStringLiteral("verbose"),
        QCoreApplication::translate(
            "zw::CommandLine",
            "With --export, write the diagnostics (divisions by zero and the like) "
            "to standard error too."));
    const QCommandLineOption resetOption(
        QStringLiteral("reset-settings"),
        QCoreApplication::translate("zw::CommandLine",
                                    "Forget the remembered settings (window size, view options, "
                                    "shading colours, export folder) and start with the "
                                    "defaults."));
    parser.addOptions(
        {exportOption, sizeOption, scaleOption, planeOption, verboseOption, resetOption});
    parser.addPositionalArgument(
        QStringLiteral("FILE.zwmap"),
        QCoreApplication::translate("zw::CommandLine", "The session to open or render."));
}

int CommandLine::runExport() const {
    // Diagnostics are for someone looking into a picture, not for a script that makes one.
    if (!request_.verbose) {
        setLogSink([](const std::string&) {});
    }
    QString error;
    if (!exportPicture(request_.session, request_.picture, request_.size, request_.planes, error,
                       request_.scale)) {
        return complain(error, kExitFailure);
    }
    flushLog();
    return 0;
}

int CommandLine::run(QApplication& app) {
    if (request_.readAgain) {
        request_ = read(app.arguments());
        if (request_.action == Action::Usage) {
            return complain(request_.error, kExitUsage);
        }
        if (request_.action == Action::Window && noDisplay_) {
            return complain(noDisplayMessage(), kExitFailure);
        }
        if (request_.action == Action::Window || request_.verbose) {
            qInstallMessageHandler(nullptr);
        }
    }
    if (request_.action == Action::Help || request_.action == Action::Version) {
        QCommandLineParser parser;
        addOptions(parser);
        parser.parse(app.arguments());
        if (request_.action == Action::Help) {
            parser.showHelp(0);
        }
        parser.showVersion();  // both exit
    }
    if (request_.action == Action::Export) {
        return runExport();
    }
    if (request_.action == Action::Usage) {
        return complain(request_.error, kExitUsage);
    }

    if (request_.resetSettings) {
        WindowPreferences::forgetStored();
    }
    MainWindow window;
    window.show();
    // Work a zwmap that did not quit left unsaved comes first; a file named too is opened after
    // it as Open... would, asking to save the restored work.
    const bool restored = window.recovery()->offerRestore();
    if (!request_.session.isEmpty() && (!restored || window.sessionActions()->mayClose())) {
        window.sessionActions()->openFile(request_.session);
    }
    return QApplication::exec();
}

}  // namespace zw
