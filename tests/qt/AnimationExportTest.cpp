// Animations out of the program: the command line's requests and their usage errors, the
// frames against stills at the ends, the formats read back, and Cancel in the window.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <webp/demux.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include "WindowTest.h"
#include "qt/AnimationActions.h"
#include "qt/AnimationExport.h"

#include "qt/AnimationExportDialog.h"
#include "qt/CommandLine.h"
#include "qt/SessionActions.h"
#include "session/Session.h"
#include "session/SessionWriter.h"

namespace zw::test {
namespace {

QStringList words(const char* line) {
    QStringList arguments{QStringLiteral("zwmap")};
    for (const QString& w : QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        arguments << w;
    }
    return arguments;
}

// A session file in `dir` showing `formula` (empty: the catalogue's Square) with a grid in
// each plane, so that a change of f shows in both.
QString writeSession(const QTemporaryDir& dir, const std::string& formula = {},
                     bool withPath = true) {
    Session session;
    if (formula.empty()) {
        session.function.title = "Square";
    } else {
        session.function.kind = ActiveFunction::Kind::Formula;
        session.function.title = "formula";
        session.function.formula = formula;
    }
    session.domain.showGridlines = true;
    session.range.scaleFactor = 0.5f;
    // A path and, as drawn under whatever f was, its image: frames recompute the image.
    const Session::Path path(Color::redColor(), {{0.2, 0.1}, {0.6, 0.4}, {0.9, -0.3}});
    if (withPath) {
        session.domain.paths.push_back(path);
        session.range.paths.push_back(path);
        session.transformedPathsShownInDomain.push_back(path);
    }
    const QString name = dir.filePath(QStringLiteral("s.zwmap"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        return {};
    }
    file.write(QByteArray::fromStdString(SessionWriter::write(session)));
    return name;
}

TEST(AnimationCommandLineTest, EveryUsageErrorIsOneLineThatSaysWhatIsWrong) {
    struct Case {
        const char* arguments;
        const char* error;
    };
    const Case cases[] = {
        {"--set a=1 s.zwmap", "--set, --animate, --frames and --fps go with --export"},
        {"--animate a=0:1 s.zwmap", "--set, --animate, --frames and --fps go with --export"},
        {"--export o.gif s.zwmap", "o.gif: an animation needs --animate NAME=FROM:TO"},
        {"--export o-%03d.png s.zwmap", "o-%03d.png: an animation needs --animate NAME=FROM:TO"},
        {"--export o.png --animate a=0:1 s.zwmap",
         "o.png: --animate makes an animation, named OUT.gif, OUT.webp or OUT-%03d.png"},
        {"--export o.svg --animate a=0:1 s.zwmap",
         "o.svg: --animate makes an animation, named OUT.gif, OUT.webp or OUT-%03d.png"},
        {"--export o-%d-%d.png --animate a=0:1 s.zwmap",
         "o-%d-%d.png: --animate makes an animation, named OUT.gif, OUT.webp or OUT-%03d.png"},
        {"--export o.gif --animate a=0 s.zwmap",
         "--animate a: the range must be FROM:TO, each a number or x+yi, not '0'"},
        {"--export o.gif --animate 0:1 s.zwmap", "--animate wants NAME=FROM:TO, not '0:1'"},
        {"--export o.gif --animate a=0:1 --frames 0 s.zwmap",
         "--frames must be a whole number from 1 to 10000, not '0'"},
        {"--export o.gif --animate a=0:1 --frames 10001 s.zwmap",
         "--frames must be a whole number from 1 to 10000, not '10001'"},
        {"--export o.gif --animate a=0:1 --fps 0 s.zwmap",
         "--fps must be a number from 0.1 to 100, not '0'"},
        {"--export o.webp --animate a=0:1 --fps 1,5 s.zwmap",
         "--fps must be a number from 0.1 to 100, not '1,5'"},
        {"--export o.png --frames 10 s.zwmap", "--frames and --fps go with --animate"},
        {"--export o.png --fps 10 s.zwmap", "--frames and --fps go with --animate"},
        {"--export o.png --set a=1,5 s.zwmap",
         "--set a: the value must be a number or x+yi, not '1,5'"},
        {"--export o.png --set a s.zwmap", "--set wants NAME=VALUE, not 'a'"},
    };
    for (const Case& c : cases) {
        const CommandLine::Request request = CommandLine::read(words(c.arguments));
        EXPECT_EQ(request.action, CommandLine::Action::Usage) << c.arguments;
        EXPECT_EQ(request.error.toStdString(), c.error) << c.arguments;
    }

    const CommandLine::Request ok = CommandLine::read(
        words("--export o-%02d.png --animate k=1-i:2i --frames 7 --fps 12.5 --set a=2 --set "
              "b=-i s.zwmap"));
    ASSERT_EQ(ok.action, CommandLine::Action::Export) << ok.error.toStdString();
    EXPECT_TRUE(ok.animate);
    EXPECT_EQ(ok.format, AnimationWriter::Format::PngSeries);
    EXPECT_EQ(ok.plan.name, "k");
    EXPECT_EQ(ok.plan.from, std::complex<double>(1, -1));
    EXPECT_EQ(ok.plan.to, std::complex<double>(0, 2));
    EXPECT_EQ(ok.plan.frames, 7);
    EXPECT_EQ(ok.plan.fps, 12.5);
    ASSERT_EQ(ok.values.size(), 2u);
    EXPECT_EQ(ok.values[1], std::make_pair(std::string("b"), std::complex<double>(0, -1)));
    const CommandLine::Request defaults =
        CommandLine::read(words("--export o.webp --animate t=0:1 s.zwmap"));
    EXPECT_EQ(defaults.plan.frames, 60);
    EXPECT_EQ(defaults.plan.fps, 30.0);
}

// Names are checked against the session's formula before anything is drawn: a usage error.
TEST(AnimationCommandLineTest, ANameTheFunctionLacksIsAUsageErrorAndWritesNothing) {
    QTemporaryDir dir;
    const QString session = writeSession(dir);
    for (const char* out : {"o.png", "o.gif"}) {
        CommandLine::Request request =
            CommandLine::read(words(QStringLiteral("--export %1 --animate a=0:1 --set a=1 %2")
                                        .arg(dir.filePath(QString::fromLatin1(out)), session)
                                        .toUtf8()
                                        .constData()));
        if (!QString::fromLatin1(out).endsWith(QStringLiteral(".gif"))) {
            request =
                CommandLine::read(words(QStringLiteral("--export %1 --set a=1 %2")
                                            .arg(dir.filePath(QString::fromLatin1(out)), session)
                                            .toUtf8()
                                            .constData()));
        }
        ASSERT_EQ(request.action, CommandLine::Action::Export) << request.error.toStdString();
        QString error;
        EXPECT_EQ(CommandLine::exportRequest(request, error), 2) << out;
        EXPECT_EQ(error.toStdString(), "f has no parameter a (it has none)");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("s.zwmap")});
}

// A request as the command line makes it, for a picture or an animation of `s.zwmap`.
CommandLine::Request requestFor(const QString& session, const QString& out, const char* more) {
    return CommandLine::read(
        words((QStringLiteral("--export ") + out + QStringLiteral(" --size 240x120 ") +
               QString::fromUtf8(more) + QStringLiteral(" ") + session)
                  .toUtf8()
                  .constData()));
}

QImage still(const QString& session, const QString& out, const char* set) {
    QString error;
    const CommandLine::Request request = requestFor(session, out, set);
    if (request.action != CommandLine::Action::Export ||
        CommandLine::exportRequest(request, error) != 0) {
        ADD_FAILURE() << request.error.toStdString() << error.toStdString();
        return {};
    }
    return QImage(out).convertToFormat(QImage::Format_RGBA8888);
}

TEST(AnimationCommandLineTest, AStillWithAValueSetIsThePictureOfThatValueWritten) {
    QTemporaryDir withParameter;
    QTemporaryDir withNumber;
    // Without paths: a session's images are kept as drawn, while a value set redraws them.
    const QString a = writeSession(withParameter, "z^2 + a", false);
    const QString one = writeSession(withNumber, "z^2 + 1", false);
    const QImage set = still(a, withParameter.filePath(QStringLiteral("set.png")), "--set a=1");
    const QImage written = still(one, withNumber.filePath(QStringLiteral("one.png")), "");
    ASSERT_FALSE(set.isNull());
    EXPECT_EQ(set, written);
    // The value is what draws it: another one draws something else.
    EXPECT_NE(still(a, withParameter.filePath(QStringLiteral("two.png")), "--set a=2"), written);
}

// Each format read back by its own decoder: the frame count, and the first and last frames
// equal to stills at FROM and TO (a GIF's after the same reduction to 256 colours).
TEST(AnimationCommandLineTest, FramesAreCountedAndTheEndsAreTheStillsOfFromAndTo) {
    QTemporaryDir dir;
    const QString session = writeSession(dir, "z^2 + a");
    // A real parameter given a complex end becomes complex for the animation.
    const QImage from = still(session, dir.filePath(QStringLiteral("from.png")), "--set a=-0.5");
    const QImage to = still(session, dir.filePath(QStringLiteral("to.png")), "--set a=0.5+0.5i");
    ASSERT_NE(from, to);
    const char* animate = "--animate a=-0.5:0.5+0.5i --frames 5 --fps 10";
    struct Case {
        const char* name;
        std::function<std::vector<QImage>(const QString&)> decode;
    };
    const auto rgba = [](const std::uint8_t* pixels, int w, int h) {
        return QImage(pixels, w, h, QImage::Format_RGBA8888).copy();
    };
    const Case cases[] = {
        {"a-%02d.png",
         [&dir](const QString&) {
             std::vector<QImage> frames;
             for (int n = 1; QFile::exists(
                      dir.filePath(QStringLiteral("a-%1.png").arg(n, 2, 10, QLatin1Char('0'))));
                  ++n) {
                 frames.push_back(
                     QImage(
                         dir.filePath(QStringLiteral("a-%1.png").arg(n, 2, 10, QLatin1Char('0'))))
                         .convertToFormat(QImage::Format_RGBA8888));
             }
             return frames;
         }},
        {"a.webp",
         [&rgba](const QString& path) {
             std::vector<QImage> frames;
             QFile file(path);
             if (!file.open(QIODevice::ReadOnly)) {
                 return frames;
             }
             const QByteArray bytes = file.readAll();
             WebPData data{reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                           static_cast<std::size_t>(bytes.size())};
             WebPAnimDecoderOptions options;
             WebPAnimDecoderOptionsInit(&options);
             options.color_mode = MODE_RGBA;
             WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
             WebPAnimInfo info;
             WebPAnimDecoderGetInfo(decoder, &info);
             while (WebPAnimDecoderHasMoreFrames(decoder)) {
                 std::uint8_t* pixels = nullptr;
                 int timestamp = 0;
                 WebPAnimDecoderGetNext(decoder, &pixels, &timestamp);
                 frames.push_back(rgba(pixels, static_cast<int>(info.canvas_width),
                                       static_cast<int>(info.canvas_height)));
             }
             WebPAnimDecoderDelete(decoder);
             return frames;
         }},
        {"a.gif",
         [](const QString& path) {
             std::vector<QImage> frames;
             int status = 0;
             GifFileType* gif = DGifOpenFileName(QFile::encodeName(path).constData(), &status);
             if (gif == nullptr || DGifSlurp(gif) != GIF_OK) {
                 return frames;
             }
             for (int f = 0; f < gif->ImageCount; ++f) {
                 const SavedImage& image = gif->SavedImages[f];
                 QImage frame(gif->SWidth, gif->SHeight, QImage::Format_RGBA8888);
                 for (int y = 0; y < gif->SHeight; ++y) {
                     for (int x = 0; x < gif->SWidth; ++x) {
                         const GifColorType c = image.ImageDesc.ColorMap
                                                    ->Colors[image.RasterBits[y * gif->SWidth + x]];
                         frame.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
                     }
                 }
                 frames.push_back(frame);
             }
             DGifCloseFile(gif, &status);
             return frames;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString out = dir.filePath(QString::fromLatin1(c.name));
        const CommandLine::Request request = requestFor(session, out, animate);
        ASSERT_EQ(request.action, CommandLine::Action::Export) << request.error.toStdString();
        QString error;
        int reported = 0;
        ASSERT_EQ(
            CommandLine::exportRequest(request, error, [&](int done, int) { reported = done; }), 0)
            << error.toStdString();
        EXPECT_EQ(reported, 5);
        const std::vector<QImage> frames = c.decode(out);
        ASSERT_EQ(frames.size(), 5u);
        const bool gif = QString::fromLatin1(c.name).endsWith(QStringLiteral(".gif"));
        const auto expected = [gif](const QImage& image) {
            return gif ? AnimationExport::indexed(image).convertToFormat(QImage::Format_RGBA8888)
                       : image;
        };
        EXPECT_EQ(frames.front(), expected(from));
        EXPECT_EQ(frames.back(), expected(to));
        EXPECT_NE(frames[2], frames.front());
    }
}

class AnimationWindowTest : public WindowTest {
  protected:
    QTemporaryDir dir;
};

// The menu item follows f; Cancel leaves nothing, and the window shows what it showed before.
TEST_F(AnimationWindowTest, CancelLeavesNothingAndTheWindowAsItWas) {
    QAction* item = action(QStringLiteral("File"), QStringLiteral("Export Animation..."));
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isEnabled());
    ASSERT_TRUE(window->sessionActions()->openFile(writeSession(dir, "z^2 + a")));
    // The images as f draws them, not as the file kept them.
    ASSERT_TRUE(window->workbench().parameters.showParameterValue(
        "a", window->workbench().parameters.parameter("a")->value));
    settle();
    EXPECT_TRUE(item->isEnabled());
    const QImage before = rangePane()->image();
    const std::complex<double> kept = window->workbench().transformations.parameterValue("a");

    auto* actions = window->findChild<AnimationActions*>();
    ASSERT_NE(actions, nullptr);
    AnimationExport::Settings settings;
    settings.size = QSize(200, 100);
    settings.plan.name = "a";
    settings.plan.from = 2.0;
    settings.plan.to = -2.0;
    settings.plan.frames = 50;
    alerts->allowModalWidgets(true);
    using F = AnimationWriter::Format;
    for (const auto& [format, name] : {std::pair{F::Gif, "c.gif"}, std::pair{F::Webp, "c.webp"},
                                       std::pair{F::PngSeries, "c-%03d.png"}}) {
        settings.format = format;
        settings.out = dir.filePath(QString::fromLatin1(name));
        int frames = 0;
        // Cancel is pressed once the third frame is in.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QProgressDialog* progress = actions->progress();
            if (progress != nullptr && progress->value() >= 3) {
                frames = progress->value();
                progress->cancel();
            }
        });
        poll.start(0);
        EXPECT_FALSE(actions->write(settings)) << name;
        EXPECT_GE(frames, 3) << name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("s.zwmap")})
            << name;
    }
    alerts->allowModalWidgets(false);
    settle();
    // The engine that drew the frames draws the window again at the window's own value.
    EXPECT_EQ(window->workbench().transformations.parameterValue("a"), kept);
    EXPECT_EQ(changedPixels(rangePane()->image(), before), 0);
    // And an export that runs to the end writes its file.
    settings.plan.frames = 2;
    settings.format = F::Gif;
    settings.out = dir.filePath(QStringLiteral("done.gif"));
    alerts->allowModalWidgets(true);
    EXPECT_TRUE(actions->write(settings));
    alerts->allowModalWidgets(false);
    EXPECT_TRUE(QFile::exists(settings.out));
}

TEST(AnimationExportDialogTest, ASeriesGetsItsNumberAndOtherFormatsKeepTheName) {
    using F = AnimationWriter::Format;
    struct Case {
        const char* chosen;
        F format;
        const char* name;
    };
    const Case cases[] = {
        {"/tmp/a.gif", F::Gif, "/tmp/a.gif"},
        {"/tmp/a.webp", F::Webp, "/tmp/a.webp"},
        {"/tmp/a.png", F::PngSeries, "/tmp/a-%03d.png"},
        {"/tmp/a.PNG", F::PngSeries, "/tmp/a-%03d.png"},
        {"/tmp/b-%02d.png", F::PngSeries, "/tmp/b-%02d.png"},
        {"/tmp/100%/a.png", F::PngSeries, "/tmp/100%%/a-%03d.png"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            AnimationExportDialog::outputName(QString::fromUtf8(c.chosen), c.format).toStdString(),
            c.name);
    }
}

}  // namespace
}  // namespace zw::test

namespace zw::test {
namespace {

// OK is taken only when every field reads; what it reads is what the export gets.
TEST(AnimationExportDialogTest, OkTakesOnlyFieldsThatReadAndTheyBecomeTheSettings) {
    AnimationExportDialog dialog({{"a", {-2, 0}, {2, 0}}, {"k", {0, -1}, {1, 1}}}, QSize(810, 10));
    auto* name = dialog.findChild<QComboBox*>(QStringLiteral("parameter"));
    auto* from = dialog.findChild<QLineEdit*>(QStringLiteral("from"));
    auto* to = dialog.findChild<QLineEdit*>(QStringLiteral("to"));
    auto* fps = dialog.findChild<QLineEdit*>(QStringLiteral("fps"));
    auto* problem = dialog.findChild<QLabel*>(QStringLiteral("problem"));
    ASSERT_TRUE(name && from && to && fps && problem);
    EXPECT_EQ(from->text(), QStringLiteral("-2"));
    EXPECT_EQ(to->text(), QStringLiteral("2"));
    name->setCurrentIndex(1);
    EXPECT_EQ(from->text(), QStringLiteral("0-1i"));
    EXPECT_EQ(to->text(), QStringLiteral("1+1i"));
    struct Bad {
        QLineEdit* field;
        const char* text;
        const char* problem;
    };
    const Bad bad[] = {
        {from, "1,5", "From must be a number or x+yi."},
        {to, "", "To must be a number or x+yi."},
        {fps, "0", "Frames per second must be a number from 0.1 to 100."},
        {fps, "200", "Frames per second must be a number from 0.1 to 100."},
    };
    for (const Bad& b : bad) {
        const QString kept = b.field->text();
        b.field->setText(QString::fromLatin1(b.text));
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted) << b.text;
        EXPECT_EQ(problem->text().toStdString(), b.problem);
        b.field->setText(kept);
    }
    from->setText(QStringLiteral(" 0.25-i "));
    fps->setText(QStringLiteral("12.5"));
    dialog.findChild<QSpinBox*>(QStringLiteral("frames"))->setValue(9);
    dialog.findChild<QComboBox*>(QStringLiteral("format"))->setCurrentIndex(1);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const AnimationExport::Settings settings = dialog.settings();
    EXPECT_EQ(settings.plan.name, "k");
    EXPECT_EQ(settings.plan.from, std::complex<double>(0.25, -1));
    EXPECT_EQ(settings.plan.to, std::complex<double>(1, 1));
    EXPECT_EQ(settings.plan.frames, 9);
    EXPECT_EQ(settings.plan.fps, 12.5);
    EXPECT_EQ(settings.format, AnimationWriter::Format::Webp);
    // The panes' size, kept within what a picture may be.
    EXPECT_EQ(settings.size, QSize(810, 16));
    EXPECT_EQ(dialog.suffix(), QStringLiteral("webp"));
}

}  // namespace
}  // namespace zw::test
