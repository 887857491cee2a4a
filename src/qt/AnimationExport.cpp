#include "qt/AnimationExport.h"

#include <QFile>

#include "app/AnimationTarget.h"
#include "session/Session.h"
#include "session/SessionScene.h"

namespace zw {

std::unique_ptr<SessionScene> AnimationExport::sceneFor(const Session& session, QSize size,
                                                        PictureExporter::Planes planes) {
    const bool both = planes == PictureExporter::Planes::Both;
    const int domainWidth = both ? (size.width() - PictureExporter::kGap) / 2 : size.width();
    const int rangeWidth = both ? size.width() - PictureExporter::kGap - domainWidth : size.width();
    auto scene = std::make_unique<SessionScene>(
        CGSize{static_cast<double>(domainWidth), static_cast<double>(size.height())},
        CGSize{static_cast<double>(rangeWidth), static_cast<double>(size.height())});
    scene->apply(session);
    return scene;
}

bool AnimationExport::setValues(
    SessionScene& scene, const std::vector<std::pair<std::string, std::complex<double>>>& values,
    QString& error) {
    for (const auto& [name, value] : values) {
        std::string why;
        if (!AnimationTarget::setValue(scene.workbench(), name, value, why)) {
            error = QString::fromStdString(why);
            return false;
        }
    }
    return true;
}

QImage AnimationExport::frame(SessionScene& scene, PictureExporter::Planes planes, int scale) {
    return PictureExporter::render(scene.domain(), scene.range(), planes, scale);
}

QImage AnimationExport::indexed(const QImage& frame) {
    // No dithering: the planes are flat colours and lines, and a pattern of dots that changes
    // from frame to frame would shimmer.
    // Frames are opaque; from one format the palette is the same whatever the frame came in.
    return frame.convertToFormat(QImage::Format_RGB32)
        .convertToFormat(QImage::Format_Indexed8,
                         Qt::ThresholdDither | Qt::AvoidDither | Qt::ColorOnly);
}

AnimationExport::Result AnimationExport::run(const Session& session, const Settings& settings,
                                             const Progress& progress, QString& error) {
    std::unique_ptr<SessionScene> scene = sceneFor(session, settings.size, settings.planes);
    if (!setValues(*scene, settings.values, error)) {
        return Result::Failed;
    }
    std::unique_ptr<AnimationWriter> writer = AnimationWriter::create(settings.format);
    const std::string out = QFile::encodeName(settings.out).toStdString();
    const AnimationPlan& plan = settings.plan;
    std::string why;
    bool opened = false;
    for (int i = 0; i < plan.frames; ++i) {
        if (!AnimationTarget::setValue(scene->workbench(), plan.name, plan.valueAt(i), why)) {
            error = QString::fromStdString(why);
            return Result::Failed;
        }
        const QImage image = frame(*scene, settings.planes, settings.scale);
        if (!opened) {
            if (!writer->open(out, image.width(), image.height(), plan.fps, why)) {
                error = QFile::decodeName(QByteArray::fromStdString(why));
                return Result::Failed;
            }
            opened = true;
        }
        AnimationFrame f;
        f.width = image.width();
        f.height = image.height();
        QImage converted;
        std::vector<std::uint32_t> palette;
        std::vector<std::uint8_t> indices;
        QByteArray encoded;
        switch (writer->wants()) {
            case AnimationWriter::Input::Rgba:
                converted = image.convertToFormat(QImage::Format_RGBA8888);
                f.rgba = converted.constBits();
                break;
            case AnimationWriter::Input::Indexed: {
                converted = indexed(image);
                for (const QRgb c : converted.colorTable()) {
                    palette.push_back(c & 0xffffffu);
                }
                // Rows of an Indexed8 image are padded to four bytes; the writer wants them
                // packed.
                indices.resize(static_cast<std::size_t>(f.width) * f.height);
                for (int y = 0; y < f.height; ++y) {
                    const uchar* row = converted.constScanLine(y);
                    std::copy(row, row + f.width,
                              indices.begin() + static_cast<std::ptrdiff_t>(y) * f.width);
                }
                f.palette = palette.data();
                f.colours = static_cast<int>(palette.size());
                f.indices = indices.data();
                break;
            }
            case AnimationWriter::Input::Encoded:
                encoded = PictureExporter::png(image);
                f.encoded =
                    std::string_view(encoded.constData(), static_cast<std::size_t>(encoded.size()));
                break;
        }
        if (!writer->add(f, why)) {
            error = QFile::decodeName(QByteArray::fromStdString(why));
            return Result::Failed;
        }
        if (progress && !progress(i + 1, plan.frames)) {
            return Result::Cancelled;  // the writer takes what it wrote with it
        }
    }
    if (!writer->finish(why)) {
        error = QFile::decodeName(QByteArray::fromStdString(why));
        return Result::Failed;
    }
    return Result::Done;
}

}  // namespace zw
