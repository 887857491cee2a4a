// The command line's options and how its arguments are read into a request: every usage error
// is found here, before an application object or a display is needed.
#include "qt/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>

namespace zw {

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
    const QString set = QStringLiteral("set");
    const QString animate = QStringLiteral("animate");
    const QString frames = QStringLiteral("frames");
    const QString fps = QStringLiteral("fps");
    if (!parser.isSet(QStringLiteral("export"))) {
        if (parser.isSet(size) || parser.isSet(plane) || parser.isSet(scale)) {
            return usage(QStringLiteral("--size, --scale and --plane go with --export"));
        }
        if (parser.isSet(set) || parser.isSet(animate) || parser.isSet(frames) ||
            parser.isSet(fps)) {
            return usage(QStringLiteral("--set, --animate, --frames and --fps go with --export"));
        }
        return request;
    }

    request.action = Action::Export;
    request.picture = parser.value(QStringLiteral("export"));
    if (request.picture.isEmpty()) {
        return usage(QStringLiteral("--export needs the picture's name, ending in .png or .svg"));
    }
    for (const QString& text : parser.values(set)) {
        std::string name;
        std::complex<double> value;
        std::string why;
        if (!AnimationPlan::parseAssignment(text.toStdString(), name, value, why)) {
            return usage(QString::fromStdString(why));
        }
        request.values.emplace_back(name, value);
    }
    const std::string picture = QFile::encodeName(request.picture).toStdString();
    request.animate = parser.isSet(animate);
    const bool moving = AnimationPlan::formatOf(picture, request.format);
    if (request.animate) {
        if (!moving) {
            return usage(request.picture +
                         QStringLiteral(": --animate makes an animation, named OUT.gif, "
                                        "OUT.webp or OUT-%03d.png"));
        }
        std::string why;
        AnimationPlan& plan = request.plan;
        if (!AnimationPlan::parseRange(parser.value(animate).toStdString(), plan.name, plan.from,
                                       plan.to, why)) {
            return usage(QString::fromStdString(why));
        }
        if (parser.isSet(frames) &&
            !AnimationPlan::parseFrames(parser.value(frames).toStdString(), plan.frames)) {
            return usage(QStringLiteral("--frames must be a whole number from 1 to %1, not '%2'")
                             .arg(AnimationPlan::kMaxFrames)
                             .arg(parser.value(frames)));
        }
        if (parser.isSet(fps) &&
            !AnimationPlan::parseFps(parser.value(fps).toStdString(), plan.fps)) {
            return usage(QStringLiteral("--fps must be a number from 0.1 to 100, not '%1'")
                             .arg(parser.value(fps)));
        }
    } else {
        if (moving) {
            return usage(request.picture +
                         QStringLiteral(": an animation needs --animate NAME=FROM:TO"));
        }
        if (parser.isSet(frames) || parser.isSet(fps)) {
            return usage(QStringLiteral("--frames and --fps go with --animate"));
        }
    }
    if (!request.animate && !PictureExporter::isPng(request.picture) &&
        !PictureExporter::isSvg(request.picture)) {
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
            "Render the session into OUT (.png or .svg; with --animate .gif, .webp or "
            "a series OUT-%03d.png) without a screen, then exit."),
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
    const QCommandLineOption setOption(
        QStringLiteral("set"),
        QCoreApplication::translate(
            "zw::CommandLine",
            "With --export, give the parameter NAME of the session's formula the "
            "value VALUE: a real number (1.5) or a complex one (0.5-2i). Repeatable."),
        QStringLiteral("NAME=VALUE"));
    const QCommandLineOption animateOption(
        QStringLiteral("animate"),
        QCoreApplication::translate(
            "zw::CommandLine",
            "Export an animation that moves the parameter NAME (or the morph's t) "
            "in a straight line from FROM to TO, into OUT.gif, OUT.webp or a series "
            "OUT-%03d.png (numbered from 1)."),
        QStringLiteral("NAME=FROM:TO"));
    const QCommandLineOption framesOption(
        QStringLiteral("frames"),
        QCoreApplication::translate(
            "zw::CommandLine",
            "The number of frames of the animation, from 1 to 10000 (default 60); the "
            "first shows FROM, the last TO."),
        QStringLiteral("N"));
    const QCommandLineOption fpsOption(
        QStringLiteral("fps"),
        QCoreApplication::translate(
            "zw::CommandLine", "Frames per second of the animation, from 0.1 to 100 (default 30)."),
        QStringLiteral("F"));
    parser.addOptions({exportOption, sizeOption, scaleOption, planeOption, setOption, animateOption,
                       framesOption, fpsOption, verboseOption, resetOption});
    parser.addPositionalArgument(
        QStringLiteral("FILE.zwmap"),
        QCoreApplication::translate("zw::CommandLine", "The session to open or render."));
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

}  // namespace zw
