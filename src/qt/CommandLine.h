#pragma once

#include <QSize>
#include <QString>

#include "qt/PictureExporter.h"

class QApplication;
class QCommandLineParser;

namespace zw {

// zwmap [FILE.zwmap]
// zwmap --export OUT.png|OUT.svg [--size WxH] [--plane domain|range|both] FILE.zwmap
class CommandLine {
  public:
    // Before the application object is made: a picture, the help and the version need no
    // screen, so they run on Qt's offscreen platform and work without a display.
    static void prepare(int argc, char** argv);
    // Runs what the arguments ask for and returns the exit status.
    static int run(QApplication& app);

    // Renders a session file into a picture; false with one line in `error` if it cannot.
    static bool exportPicture(const QString& session, const QString& out, QSize size,
                              PictureExporter::Planes planes, QString& error);
    static bool parseSize(const QString& text, QSize& size);
    static constexpr int kMaxSide = 8192;

  private:
    static void addOptions(QCommandLineParser& parser);
};

}  // namespace zw
