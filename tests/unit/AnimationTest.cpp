// The animation's pieces without the window: the command line's values and ranges, the plan's
// frames, and the three writers, each read back with its own decoder.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <webp/demux.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <set>

#include "app/AnimationPlan.h"
#include "platform/AnimationWriter.h"
#include "platform/PngSeries.h"
#include "platform/StagedFiles.h"

namespace zw {
namespace {

namespace fs = std::filesystem;
using C = std::complex<double>;

// A folder of its own for each test, removed at the end.
class Folder {
  public:
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "zw-animation-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("no temporary folder");
        }
        path_ = pattern;
    }
    ~Folder() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, ignored);
        fs::remove_all(path_, ignored);
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    // Every name in the folder, hidden ones too.
    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(path_)) {
            found.insert(entry.path().filename().string());
        }
        return found;
    }

  private:
    fs::path path_;
};

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(AnimationPlanTest, ValuesReadAsRealsOrComplexNumbersInTheCLocale) {
    struct Case {
        const char* text;
        bool reads;
        C value;
    };
    const Case cases[] = {
        {"1", true, {1, 0}},
        {"-1.5", true, {-1.5, 0}},
        {"+2", true, {2, 0}},
        {".5", true, {0.5, 0}},
        {"2e-3", true, {0.002, 0}},
        {"1+2i", true, {1, 2}},
        {"0.5-2i", true, {0.5, -2}},
        {"-1-i", true, {-1, -1}},
        {"3+i", true, {3, 1}},
        {"2i", true, {0, 2}},
        {"-2.5i", true, {0, -2.5}},
        {"i", true, {0, 1}},
        {"-i", true, {0, -1}},
        {"1e2+1e-1i", true, {100, 0.1}},
        {"", false, {}},
        {"1,5", false, {}},  // a comma decimal is never read, whatever the locale
        {"1.5.", false, {}},
        {"inf", false, {}},
        {"-inf", false, {}},
        {"nan", false, {}},
        {"1e999", false, {}},
        {"1+", false, {}},
        {"1+2", false, {}},
        {"1+-2i", false, {}},
        {"1++2i", false, {}},
        {"1+2j", false, {}},
        {"i2", false, {}},
        {" 1", false, {}},
        {"1 ", false, {}},
        {"0x10", false, {}},
        {"--1", false, {}},
        {"+-1", false, {}},
        {"1+2ii", false, {}},
    };
    for (const Case& c : cases) {
        C value{7, 7};
        EXPECT_EQ(AnimationPlan::parseValue(c.text, value), c.reads) << c.text;
        EXPECT_EQ(value, c.reads ? c.value : C(7, 7)) << c.text;
    }
}

TEST(AnimationPlanTest, AssignmentsRangesFramesAndRatesSayWhatIsWrong) {
    std::string name;
    C value;
    C to;
    std::string error;
    EXPECT_TRUE(AnimationPlan::parseAssignment("theta=0.5-2i", name, value, error));
    EXPECT_EQ(name, "theta");
    EXPECT_EQ(value, C(0.5, -2));
    EXPECT_TRUE(AnimationPlan::parseRange("r1=-1:1+i", name, value, to, error));
    EXPECT_EQ(name, "r1");
    EXPECT_EQ(value, C(-1, 0));
    EXPECT_EQ(to, C(1, 1));

    struct Bad {
        const char* text;
        const char* error;
    };
    const Bad badSets[] = {
        {"a", "--set wants NAME=VALUE, not 'a'"},
        {"=1", "--set wants NAME=VALUE, not '=1'"},
        {"1a=1", "--set wants NAME=VALUE, not '1a=1'"},
        {"a=", "--set a: the value must be a number or x+yi, not ''"},
        {"a=1:2", "--set a: the value must be a number or x+yi, not '1:2'"},
    };
    for (const Bad& b : badSets) {
        EXPECT_FALSE(AnimationPlan::parseAssignment(b.text, name, value, error)) << b.text;
        EXPECT_EQ(error, b.error);
    }
    const Bad badRanges[] = {
        {"a", "--animate wants NAME=FROM:TO, not 'a'"},
        {"a b=0:1", "--animate wants NAME=FROM:TO, not 'a b=0:1'"},
        {"a=1", "--animate a: the range must be FROM:TO, each a number or x+yi, not '1'"},
        {"a=0:", "--animate a: the range must be FROM:TO, each a number or x+yi, not '0:'"},
        {"a=0:1:2", "--animate a: the range must be FROM:TO, each a number or x+yi, not '0:1:2'"},
        {"a=0..1", "--animate a: the range must be FROM:TO, each a number or x+yi, not '0..1'"},
    };
    for (const Bad& b : badRanges) {
        EXPECT_FALSE(AnimationPlan::parseRange(b.text, name, value, to, error)) << b.text;
        EXPECT_EQ(error, b.error);
    }

    int frames = 5;
    for (const char* text : {"0", "10001", "-1", "1.5", "", "1e3", "01x", "99999999999"}) {
        EXPECT_FALSE(AnimationPlan::parseFrames(text, frames)) << text;
    }
    EXPECT_EQ(frames, 5);
    EXPECT_TRUE(AnimationPlan::parseFrames("10000", frames));
    EXPECT_EQ(frames, 10000);
    double fps = 7;
    for (const char* text : {"0", "0.05", "100.5", "-30", "", "30fps", "nan", "inf"}) {
        EXPECT_FALSE(AnimationPlan::parseFps(text, fps)) << text;
    }
    EXPECT_TRUE(AnimationPlan::parseFps("12.5", fps));
    EXPECT_EQ(fps, 12.5);
}

TEST(AnimationPlanTest, FramesRunFromFromToExactlyToAndValuesReadBackAsWritten) {
    AnimationPlan plan;
    plan.from = C(0.1, -1);
    plan.to = C(0.7, 2);
    plan.frames = 7;
    EXPECT_EQ(plan.valueAt(0), plan.from);
    EXPECT_EQ(plan.valueAt(6), plan.to);
    EXPECT_NEAR(std::abs(plan.valueAt(3) - C(0.4, 0.5)), 0.0, 1e-15);
    plan.frames = 1;
    EXPECT_EQ(plan.valueAt(0), plan.from);
    // Ends far apart: their difference would overflow, the frames between them must not.
    plan.from = C(-1e308, 1e308);
    plan.to = C(1e308, -1e308);
    plan.frames = 3;
    EXPECT_EQ(plan.valueAt(1), C(0, 0));

    for (const C v : {C(0.1, 0), C(-1e-300, 0), C(1.0 / 3, -2.0 / 3), C(0, 1), C(5, -0.0)}) {
        C back;
        ASSERT_TRUE(AnimationPlan::parseValue(AnimationPlan::format(v), back))
            << AnimationPlan::format(v);
        EXPECT_EQ(back, v) << AnimationPlan::format(v);
    }
}

TEST(AnimationPlanTest, TheNameChoosesTheFormatAndASeriesNumbersItsFiles) {
    struct Case {
        const char* path;
        bool animation;
        AnimationWriter::Format format;
        const char* second;  // the second frame's name of a series
    };
    using F = AnimationWriter::Format;
    const Case cases[] = {
        {"out.gif", true, F::Gif, ""},
        {"OUT.GIF", true, F::Gif, ""},
        {"dir.gif/out.webp", true, F::Webp, ""},
        {"OUT-%03d.png", true, F::PngSeries, "OUT-002.png"},
        {"f%d.PNG", true, F::PngSeries, "f2.PNG"},
        {"100%%-%02d.png", true, F::PngSeries, "100%-02.png"},
        {"a%d/b.png", false, F::Gif, ""},  // the number must be in the file's name
        {"out.png", false, F::Gif, ""},
        {"out-%d-%d.png", false, F::Gif, ""},
        {"out-%s.png", false, F::Gif, ""},
        {"out-%00d.png", false, F::Gif, ""},
        {"out-%3d.png", false, F::Gif, ""},
        {"out%.png", false, F::Gif, ""},
        {"out-%03d.svg", false, F::Gif, ""},
        {"out.gif.png", false, F::Gif, ""},
    };
    for (const Case& c : cases) {
        AnimationWriter::Format format = F::Gif;
        EXPECT_EQ(AnimationPlan::formatOf(c.path, format), c.animation) << c.path;
        if (c.animation) {
            EXPECT_EQ(format, c.format) << c.path;
        }
        if (*c.second != '\0') {
            EXPECT_EQ(PngSeries::nameOf(c.path, 2), c.second);
        }
    }
    EXPECT_EQ(PngSeries::nameOf("x-%03d.png", 10000), "x-10000.png");
}

// Frames of a few flat colours and a diagonal, different from frame to frame.
struct Frames {
    static constexpr int kWidth = 37;  // odd: no row is padded
    static constexpr int kHeight = 21;
    std::vector<std::vector<std::uint8_t>> rgba;
    std::vector<std::vector<std::uint8_t>> indices;
    std::vector<std::uint32_t> palette{0xffffff, 0x000000, 0xff0000, 0x0000ff, 0x20c040};

    explicit Frames(int count) {
        for (int f = 0; f < count; ++f) {
            std::vector<std::uint8_t> index(kWidth * kHeight);
            std::vector<std::uint8_t> pixels(kWidth * kHeight * 4);
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    const int i = y * kWidth + x;
                    index[i] = x == y + f ? 1 : static_cast<std::uint8_t>((x / 8 + f) % 5);
                    const std::uint32_t c = palette[index[i]];
                    pixels[i * 4] = static_cast<std::uint8_t>(c >> 16);
                    pixels[i * 4 + 1] = static_cast<std::uint8_t>(c >> 8);
                    pixels[i * 4 + 2] = static_cast<std::uint8_t>(c);
                    pixels[i * 4 + 3] = 255;
                }
            }
            indices.push_back(index);
            rgba.push_back(pixels);
        }
    }
    AnimationFrame frame(int f, AnimationWriter::Input input, std::string& png) const {
        AnimationFrame out;
        out.width = kWidth;
        out.height = kHeight;
        out.rgba = rgba[f].data();
        out.palette = palette.data();
        out.colours = static_cast<int>(palette.size());
        out.indices = indices[f].data();
        if (input == AnimationWriter::Input::Encoded) {
            // Any bytes do: the series writes what it is given.
            png = "frame " + std::to_string(f);
            out.encoded = png;
        }
        return out;
    }
};

bool writeAll(AnimationWriter& writer, const std::string& path, const Frames& frames, double fps,
              std::string& error) {
    if (!writer.open(path, Frames::kWidth, Frames::kHeight, fps, error)) {
        return false;
    }
    for (std::size_t f = 0; f < frames.rgba.size(); ++f) {
        std::string png;
        if (!writer.add(frames.frame(static_cast<int>(f), writer.wants(), png), error)) {
            return false;
        }
    }
    return writer.finish(error);
}

TEST(AnimationWriterTest, AGifHoldsEveryFrameItsColoursAndTheTimeOfEach) {
    Folder folder;
    const Frames frames(60);
    std::string error;
    const auto writer = AnimationWriter::create(AnimationWriter::Format::Gif);
    ASSERT_TRUE(writeAll(*writer, folder / "a.gif", frames, 30.0, error)) << error;
    EXPECT_EQ(folder.names(), std::set<std::string>{"a.gif"});

    int status = 0;
    GifFileType* gif = DGifOpenFileName((folder / "a.gif").c_str(), &status);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    ASSERT_EQ(gif->ImageCount, 60);
    EXPECT_EQ(gif->SWidth, Frames::kWidth);
    EXPECT_EQ(gif->SHeight, Frames::kHeight);
    int centiseconds = 0;
    bool loops = false;
    for (int f = 0; f < gif->ImageCount; ++f) {
        const SavedImage& image = gif->SavedImages[f];
        ASSERT_NE(image.ImageDesc.ColorMap, nullptr);
        for (int i = 0; i < Frames::kWidth * Frames::kHeight; ++i) {
            const GifColorType c = image.ImageDesc.ColorMap->Colors[image.RasterBits[i]];
            const std::uint32_t rgb = (c.Red << 16) | (c.Green << 8) | c.Blue;
            ASSERT_EQ(rgb, frames.palette[frames.indices[f][i]]) << "frame " << f << " pixel " << i;
        }
        GraphicsControlBlock control;
        ASSERT_EQ(DGifSavedExtensionToGCB(gif, f, &control), GIF_OK);
        // 30 a second: 3 or 4 hundredths each, never drifting.
        EXPECT_GE(control.DelayTime, 3);
        EXPECT_LE(control.DelayTime, 4);
        centiseconds += control.DelayTime;
        for (int e = 0; e < image.ExtensionBlockCount; ++e) {
            const ExtensionBlock& block = image.ExtensionBlocks[e];
            loops =
                loops || (block.Function == APPLICATION_EXT_FUNC_CODE &&
                          std::string(reinterpret_cast<char*>(block.Bytes),
                                      static_cast<std::size_t>(block.ByteCount)) == "NETSCAPE2.0");
        }
    }
    EXPECT_EQ(centiseconds, 200);
    EXPECT_TRUE(loops);
    DGifCloseFile(gif, &status);
}

TEST(AnimationWriterTest, AWebpHoldsEveryFrameExactlyWithItsTime) {
    Folder folder;
    const Frames frames(5);
    std::string error;
    const auto writer = AnimationWriter::create(AnimationWriter::Format::Webp);
    ASSERT_TRUE(writeAll(*writer, folder / "a.webp", frames, 4.0, error)) << error;
    EXPECT_EQ(folder.names(), std::set<std::string>{"a.webp"});

    const std::string bytes = contents(folder / "a.webp");
    WebPData data{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
    WebPAnimDecoderOptions options;
    ASSERT_TRUE(WebPAnimDecoderOptionsInit(&options));
    options.color_mode = MODE_RGBA;
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    ASSERT_NE(decoder, nullptr);
    WebPAnimInfo info;
    ASSERT_TRUE(WebPAnimDecoderGetInfo(decoder, &info));
    EXPECT_EQ(info.frame_count, 5u);
    EXPECT_EQ(info.loop_count, 0u);
    int f = 0;
    while (WebPAnimDecoderHasMoreFrames(decoder)) {
        std::uint8_t* pixels = nullptr;
        int timestamp = 0;
        ASSERT_TRUE(WebPAnimDecoderGetNext(decoder, &pixels, &timestamp));
        ASSERT_LT(f, 5);
        // The end of frame f: a quarter of a second each.
        EXPECT_EQ(timestamp, 250 * (f + 1));
        EXPECT_TRUE(std::equal(frames.rgba[f].begin(), frames.rgba[f].end(), pixels))
            << "frame " << f;
        ++f;
    }
    EXPECT_EQ(f, 5);
    WebPAnimDecoderDelete(decoder);
}

TEST(AnimationWriterTest, ASeriesAppearsWholeAndNumberedFromOne) {
    Folder folder;
    const Frames frames(12);
    std::string error;
    const auto writer = AnimationWriter::create(AnimationWriter::Format::PngSeries);
    ASSERT_TRUE(writeAll(*writer, folder / "f-%02d.png", frames, 30.0, error)) << error;
    std::set<std::string> expected;
    for (int n = 1; n <= 12; ++n) {
        expected.insert(PngSeries::nameOf("f-%02d.png", n));
    }
    EXPECT_EQ(folder.names(), expected);
    EXPECT_EQ(contents(folder / "f-01.png"), "frame 0");
    EXPECT_EQ(contents(folder / "f-12.png"), "frame 11");
}

// Cancel is the writer dropped before it finishes; a failure is a frame that cannot be added.
// Either way the folder is as it was, an older file of the same name included.
TEST(AnimationWriterTest, NothingIsLeftAfterCancelOrFailureAndOlderFilesStay) {
    using F = AnimationWriter::Format;
    for (const auto& [format, name] : {std::pair{F::Gif, "a.gif"}, std::pair{F::Webp, "a.webp"},
                                       std::pair{F::PngSeries, "a-%03d.png"}}) {
        SCOPED_TRACE(name);
        Folder folder;
        const std::string old = PngSeries::isPattern(name) ? PngSeries::nameOf(name, 1) : name;
        std::ofstream(folder / old) << "older";
        const Frames frames(3);
        std::string error;
        {
            const auto writer = AnimationWriter::create(format);
            ASSERT_TRUE(writer->open(folder / name, Frames::kWidth, Frames::kHeight, 30, error));
            for (int f = 0; f < 2; ++f) {
                std::string png;
                ASSERT_TRUE(writer->add(frames.frame(f, writer->wants(), png), error)) << error;
            }
        }
        EXPECT_EQ(folder.names(), std::set<std::string>{old});
        EXPECT_EQ(contents(folder / old), "older");

        const auto writer = AnimationWriter::create(format);
        std::string png;
        AnimationFrame wrong = frames.frame(0, writer->wants(), png);
        wrong.width = Frames::kWidth + 1;
        if (writer->open(folder / name, Frames::kWidth, Frames::kHeight, 30, error) &&
            writer->add(frames.frame(0, writer->wants(), png), error) &&
            format != F::PngSeries) {  // a series takes frames as they come
            EXPECT_FALSE(writer->add(wrong, error));
            EXPECT_FALSE(error.empty());
        }
        // No frames at all is a failure too.
        const auto empty = AnimationWriter::create(format);
        ASSERT_TRUE(empty->open(folder / name, Frames::kWidth, Frames::kHeight, 30, error));
        EXPECT_FALSE(empty->finish(error));
        EXPECT_NE(error.find("no frames"), std::string::npos) << error;
    }
}

TEST(AnimationWriterTest, AFolderThatCannotBeWrittenIsNamedAndLeftEmpty) {
    using F = AnimationWriter::Format;
    for (const auto& [format, name] : {std::pair{F::Gif, "a.gif"}, std::pair{F::Webp, "a.webp"},
                                       std::pair{F::PngSeries, "a-%03d.png"}}) {
        SCOPED_TRACE(name);
        Folder folder;
        const Frames frames(2);
        std::string error;
        const auto missing = AnimationWriter::create(format);
        EXPECT_FALSE(writeAll(*missing, folder / "no/such" + name, frames, 30, error));
        EXPECT_NE(error.find("no such folder"), std::string::npos) << error;
        // A folder where the file would go is never replaced.
        const std::string target =
            PngSeries::isPattern(name) ? PngSeries::nameOf(name, 2) : std::string(name);
        fs::create_directory(folder / target);
        const auto blocked = AnimationWriter::create(format);
        EXPECT_FALSE(writeAll(*blocked, folder / name, frames, 30, error));
        EXPECT_NE(error.find("folder"), std::string::npos) << error;
        EXPECT_EQ(folder.names(), std::set<std::string>{target});
    }
}

TEST(StagedFilesTest, ACommitThatStopsHalfWayTakesBackWhatItRenamed) {
    Folder folder;
    StagedFiles staged;
    std::string error;
    for (const char* name : {"1.png", "2.png", "3.png"}) {
        const int fd = staged.stage(folder / name, error);
        ASSERT_GE(fd, 0) << error;
        ASSERT_EQ(::write(fd, "x", 1), 1);
        ::close(fd);
    }
    // The second name becomes a folder with something in it after staging: its rename fails.
    fs::create_directory(folder / "2.png");
    std::ofstream(folder / "2.png/inside") << "kept";
    EXPECT_FALSE(staged.commit(error));
    EXPECT_NE(error.find("2.png: cannot be written"), std::string::npos) << error;
    EXPECT_EQ(folder.names(), std::set<std::string>{"2.png"});
    EXPECT_EQ(contents(folder / "2.png/inside"), "kept");
}

TEST(StagedFilesTest, WrittenFilesHoldTheirBytesUntilAFailedWriteDropsEveryOne) {
    Folder folder;
    std::string big(3 << 20, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>(i * 7919 % 251);
    }
    const std::map<std::string, std::string> files = {{"1.png", big}, {"2.png", ""}};
    StagedFiles staged;
    std::string error;
    for (const auto& [name, bytes] : files) {
        ASSERT_TRUE(staged.write(folder / name, bytes, error)) << error;
    }
    // A series is whole or absent: a frame that cannot be written takes the others with it.
    EXPECT_FALSE(staged.write(folder / "no/such/3.png", "x", error));
    EXPECT_NE(error.find("3.png: cannot be written (no such folder)"), std::string::npos) << error;
    EXPECT_EQ(staged.size(), 0u);
    EXPECT_TRUE(folder.names().empty());

    for (const auto& [name, bytes] : files) {
        ASSERT_TRUE(staged.write(folder / name, bytes, error)) << error;
    }
    ASSERT_TRUE(staged.commit(error)) << error;
    EXPECT_EQ(folder.names(), (std::set<std::string>{"1.png", "2.png"}));
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(contents(folder / name), bytes) << name;
    }
}

}  // namespace
}  // namespace zw
