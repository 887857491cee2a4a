// Animations out of the program: the command line's requests and their usage errors, the
// frames against stills at the ends, the formats read back, and Cancel in the window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "qt/AnimationExportDialog.h"
#include "qt/CommandLine.h"
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
QString writeSession(const QTemporaryDir& dir, const std::string& formula = {}) {
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
    session.domain.paths.push_back(path);
    session.range.paths.push_back(path);
    session.transformedPathsShownInDomain.push_back(path);
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
