#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <complex>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/AnimationPlan.h"
#include "qt/PictureExporter.h"

namespace zw {

class Session;
class SessionScene;

// Renders a session into an animation: a scene of its own at the picture's size, one value of
// the plan set for each frame, each frame drawn as a still export of that value would be. The
// same for the window's File menu and for the command line.
class AnimationExport {
  public:
    struct Settings {
        QString out;
        AnimationWriter::Format format = AnimationWriter::Format::Gif;
        // In view units; the frames have `scale` times as many pixels.
        QSize size{1000, 500};
        PictureExporter::Planes planes = PictureExporter::Planes::Both;
        int scale = 1;
        // Set before the first frame, in order.
        std::vector<std::pair<std::string, std::complex<double>>> values;
        AnimationPlan plan;
    };
    // After each frame, with the number done so far; false cancels.
    using Progress = std::function<bool(int done, int total)>;
    enum class Result { Done, Cancelled, Failed };

    // Writes the animation; on Cancelled or Failed (one line in `error`) nothing is left.
    static Result run(const Session& session, const Settings& settings, const Progress& progress,
                      QString& error);

    // A scene showing the session at a picture's size: side by side the planes share the
    // width, as in the window.
    static std::unique_ptr<SessionScene> sceneFor(const Session& session, QSize size,
                                                  PictureExporter::Planes planes);
    // Sets each value on the scene; false with one line in `error` for a name f lacks.
    static bool setValues(SessionScene& scene,
                          const std::vector<std::pair<std::string, std::complex<double>>>& values,
                          QString& error);
    // The frame the scene shows now.
    static QImage frame(SessionScene& scene, PictureExporter::Planes planes, int scale);
    // A frame reduced to 256 colours, as a GIF holds it.
    static QImage indexed(const QImage& frame);
};

}  // namespace zw
