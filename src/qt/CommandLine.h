#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "qt/PictureExporter.h"

class QApplication;
class QCommandLineParser;

namespace zw {

// zwmap [--reset-settings] [FILE.zwmap]
// zwmap --export OUT.png|OUT.svg [--size WxH] [--scale N] [--plane domain|range|both]
//       [--verbose] FILE.zwmap
// Exit status: 0 done, 1 an error (a file that cannot be read or written, no display),
// 2 a usage error. Every error is one line on standard error.
class CommandLine {
  public:
    enum class Action { Window, Export, Help, Version, Usage };
    // What the arguments ask for.
    struct Request {
        Action action = Action::Window;
        // Usage: the line that says what is wrong.
        QString error;
        // Usage: the arguments may hold Qt's own options (-style fusion), which only the
        // application object knows; they are read again once it has taken those out.
        bool readAgain = false;
        QString session;
        QString picture;
        QSize size;
        int scale = 1;
        PictureExporter::Planes planes = PictureExporter::Planes::Both;
        bool verbose = false;
        // The remembered settings are forgotten first.
        bool resetSettings = false;
    };
    // Reads the arguments (the program's name first) without an application object: finding
    // a usage error needs no display.
    static Request read(const QStringList& arguments);

    CommandLine(int argc, char** argv);
    // Before the application object is made. The exit status when there is nothing more to
    // do (a usage error, no display for the window); otherwise prepares the platform: a
    // picture, the help and the version run offscreen and need no display.
    std::optional<int> finishEarly();
    // Runs what the arguments ask for and returns the exit status.
    int run(QApplication& app);

    // Renders a session file into a picture; false with one line in `error` if it cannot.
    static bool exportPicture(const QString& session, const QString& out, QSize size,
                              PictureExporter::Planes planes, QString& error, int scale = 1);
    static bool parseSize(const QString& text, QSize& size);
    // A whole number from 1 to PictureExporter::kMaxScale.
    static bool parseScale(const QString& text, int& scale);
    static constexpr int kMaxSide = 8192;

  private:
    static void addOptions(QCommandLineParser& parser);
    int runExport() const;

    Request request_;
    // There was no display when the arguments were read again: Qt runs offscreen for that.
    bool noDisplay_ = false;
};

}  // namespace zw
