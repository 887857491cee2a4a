#include "qt/CommandLine.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QRegularExpression>
#include <cstdio>
#include <cstring>

#include "qt/AtomicFile.h"
#include "qt/MainWindow.h"
#include "qt/SessionActions.h"
#include "session/Session.h"
#include "session/SessionReader.h"
#include "session/SessionScene.h"

namespace zw {

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int complain(const QString& message, int status) {
    std::fprintf(stderr, "zwmap: %s\n", message.toLocal8Bit().constData());
    return status;
}

}  // namespace

void CommandLine::prepare(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    QCommandLineParser parser;
    addOptions(parser);
    const bool understood = parser.parse(arguments);
    const bool screenless = parser.isSet(QStringLiteral("export")) ||
                            parser.isSet(QStringLiteral("help")) ||
                            parser.isSet(QStringLiteral("version"));
    // Arguments that are no zwmap's may still be Qt's own (-style, -platform): those need the
    // real platform, unless there is no display to complain on.
    const bool noDisplay =
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (screenless || (!understood && noDisplay)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
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

bool CommandLine::exportPicture(const QString& sessionPath, const QString& out, QSize size,
                                PictureExporter::Planes planes, QString& error) {
    if (!PictureExporter::isPng(out) && !PictureExporter::isSvg(out)) {
        error = out + QStringLiteral(": the picture's name must end in .png or .svg");
        return false;
    }
    Session session;
    std::string why;
    if (!SessionReader::load(sessionPath.toStdString(), session, why)) {
        error = QString::fromStdString(why);
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
            ? PictureExporter::svg(scene.domain(), scene.range(), planes)
            : PictureExporter::png(PictureExporter::render(scene.domain(), scene.range(), planes));
    return AtomicFile::write(out, bytes, error);
}

void CommandLine::addOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Complex functions w = f(z) as mappings of the plane."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption exportOption(
        QStringLiteral("export"),
        QStringLiteral("Render the session into OUT (.png or .svg) without a screen, then exit."),
        QStringLiteral("OUT"));
    const QCommandLineOption sizeOption(
        QStringLiteral("size"),
        QStringLiteral("Size of the picture in pixels (default 1000x500; one plane 500x500)."),
        QStringLiteral("WxH"));
    const QCommandLineOption planeOption(
        QStringLiteral("plane"), QStringLiteral("The planes to show: domain, range or both."),
        QStringLiteral("PLANE"), QStringLiteral("both"));
    parser.addOptions({exportOption, sizeOption, planeOption});
    parser.addPositionalArgument(QStringLiteral("FILE.zwmap"),
                                 QStringLiteral("The session to open or render."));
}

int CommandLine::run(QApplication& app) {
    QCommandLineParser parser;
    addOptions(parser);
    const QString exportOption = QStringLiteral("export");
    const QString sizeOption = QStringLiteral("size");
    const QString planeOption = QStringLiteral("plane");

    if (!parser.parse(app.arguments())) {
        return complain(parser.errorText(), kExitUsage);
    }
    if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp(0);
    }
    if (parser.isSet(QStringLiteral("version"))) {
        parser.showVersion();
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return complain(QStringLiteral("one session file at most, not %1").arg(files.size()),
                        kExitUsage);
    }

    if (parser.isSet(exportOption)) {
        if (files.isEmpty()) {
            return complain(QStringLiteral("--export needs a session file to render"), kExitUsage);
        }
        PictureExporter::Planes planes;
        if (!PictureExporter::planesFromName(parser.value(planeOption), planes)) {
            return complain(QStringLiteral("--plane must be domain, range or both, not '%1'")
                                .arg(parser.value(planeOption)),
                            kExitUsage);
        }
        QSize size(planes == PictureExporter::Planes::Both ? 1000 : 500, 500);
        if (parser.isSet(sizeOption) && !parseSize(parser.value(sizeOption), size)) {
            return complain(QStringLiteral("--size must be WIDTHxHEIGHT, each from 16 to %1, "
                                           "not '%2'")
                                .arg(kMaxSide)
                                .arg(parser.value(sizeOption)),
                            kExitUsage);
        }
        QString error;
        if (!exportPicture(files.front(), parser.value(exportOption), size, planes, error)) {
            return complain(error, kExitFailure);
        }
        return 0;
    }
    if (parser.isSet(sizeOption) || parser.isSet(planeOption)) {
        return complain(QStringLiteral("--size and --plane go with --export"), kExitUsage);
    }

    MainWindow window;
    window.show();
    if (!files.isEmpty()) {
        window.sessionActions()->openFile(files.front());
    }
    return QApplication::exec();
}

}  // namespace zw
