#include "qt/CommandLine.h"

#include <unistd.h>
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "app/AnimationTarget.h"
#include "platform/Log.h"
#include "qt/AnimationExport.h"
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

// "f has no parameter b (its parameters: a, k)".
std::string unknownName(const std::string& name, const std::vector<std::string>& known) {
    std::string line = "f has no parameter " + name;
    if (known.empty()) {
        return line + " (it has none)";
    }
    line += " (its parameters: ";
    for (std::size_t i = 0; i < known.size(); ++i) {
        line += (i == 0 ? "" : ", ") + known[i];
    }
    return line + ")";
}

}  // namespace

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

bool CommandLine::exportPicture(const QString& sessionPath, const QString& out, QSize size,
                                PictureExporter::Planes planes, QString& error, int scale) {
    Request request;
    request.session = sessionPath;
    request.picture = out;
    request.size = size;
    request.planes = planes;
    request.scale = scale;
    return exportRequest(request, error) == 0;
}

int CommandLine::exportRequest(const Request& request, QString& error,
                               const std::function<void(int, int)>& progress) {
    const QString& out = request.picture;
    if (!request.animate && !PictureExporter::isPng(out) && !PictureExporter::isSvg(out)) {
        error = out + QStringLiteral(": the picture's name must end in .png or .svg");
        return kExitFailure;
    }
    Session session;
    std::string why;
    if (!SessionReader::load(QFile::encodeName(request.session).toStdString(), session, why)) {
        error = QFile::decodeName(QByteArray::fromStdString(why));
        return kExitFailure;
    }
    // Every name is checked before anything is drawn or written.
    const std::vector<std::string> known = [&session] {
        const std::unique_ptr<SessionScene> probe =
            AnimationExport::sceneFor(session, QSize(16, 16), PictureExporter::Planes::Domain);
        return AnimationTarget::names(probe->workbench());
    }();
    std::vector<std::string> asked;
    for (const auto& value : request.values) {
        asked.push_back(value.first);
    }
    if (request.animate) {
        asked.push_back(request.plan.name);
    }
    for (const std::string& name : asked) {
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            error = QString::fromStdString(unknownName(name, known));
            return kExitUsage;
        }
    }
    if (request.animate) {
        AnimationExport::Settings settings;
        settings.out = out;
        settings.format = request.format;
        settings.size = request.size;
        settings.planes = request.planes;
        settings.scale = request.scale;
        settings.values = request.values;
        settings.plan = request.plan;
        const auto result = AnimationExport::run(
            session, settings,
            [&progress](int done, int total) {
                if (progress) {
                    progress(done, total);
                }
                return true;
            },
            error);
        return result == AnimationExport::Result::Done ? 0 : kExitFailure;
    }
    const std::unique_ptr<SessionScene> scene =
        AnimationExport::sceneFor(session, request.size, request.planes);
    if (!AnimationExport::setValues(*scene, request.values, error)) {
        return kExitFailure;
    }
    const QByteArray bytes =
        PictureExporter::isSvg(out)
            ? PictureExporter::svg(scene->domain(), scene->range(), request.planes, request.scale)
            : PictureExporter::png(PictureExporter::render(scene->domain(), scene->range(),
                                                           request.planes, request.scale));
    return AtomicFile::write(out, bytes, error) ? 0 : kExitFailure;
}

int CommandLine::runExport() const {
    // Diagnostics are for someone looking into a picture, not for a script that makes one.
    if (!request_.verbose) {
        setLogSink([](const std::string&) {});
    }
    QString error;
    // Someone watching a terminal sees the frames count up; a script's log gets nothing.
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    bool lineOpen = false;
    const auto progress = [terminal, &lineOpen](int done, int total) {
        if (terminal) {
            std::fprintf(stderr, "\rzwmap: frame %d of %d", done, total);
            lineOpen = done != total;
            if (!lineOpen) {
                std::fputc('\n', stderr);
            }
            std::fflush(stderr);
        }
    };
    const int status = exportRequest(request_, error, progress);
    if (lineOpen) {
        std::fputc('\n', stderr);
    }
    if (status != 0) {
        return complain(error, status);
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
