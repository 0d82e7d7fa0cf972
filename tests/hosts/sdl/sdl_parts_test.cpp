// The desktop host's parts that need no window: scale and letterbox, the
// recorder and screenshot files. (The host's test maps the pen.)
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "hosts/sdl/recording_file.h"
#include "hosts/sdl/screen_geometry.h"
#include "hosts/sdl/screenshot.h"
#include "hosts/sdl/session_recorder.h"

namespace sdlhost {
namespace {

namespace fs = std::filesystem;

TEST(SdlWindowScale, ShrinksToTheDesktopAndSaysWhenTheScreenCannotFitAtAll) {
    const struct { int requested, width, height, scale; const char* note; } cases[] = {
        {0, 1920, 1050, 3, ""},  // the height limits: 4 x 320 = 1280 > 1050
        {0, 720, 2000, 3, ""},   // the width limits
        {0, 960, 1280, 4, ""},   // an exact fit
        {0, 959, 1280, 3, ""},
        {2, 1920, 1050, 2, ""},
        {5, 1920, 1050, 3, "a scale of 5 does not fit the desktop; using 3"},
        {0, 240, 320, 1, ""},
        {2, 800, 300, 1, "the desktop's 800x300 pixels cannot show the whole 240x320 screen: part of the window is off the desktop"},
        {0, 200, 900, 1, "the desktop's 200x900 pixels cannot show the whole 240x320 screen: part of the window is off the desktop"},
        {4, 0, 0, 4, ""},  // the desktop's size unknown
    };
    for (const auto& c : cases) {
        const WindowScale chosen = ChooseWindowScale(c.requested, c.width, c.height);
        EXPECT_EQ(chosen.scale, c.scale) << c.width << "x" << c.height;
        EXPECT_EQ(chosen.note, c.note) << c.width << "x" << c.height;
    }
}

TEST(SdlViewport, PictureIsCentredAtTheChosenScaleAtMost) {
    const struct { int width, height, chosen; Viewport expected; } cases[] = {
        {480, 640, 2, {0, 0, 2}},                                   // exact size: no border
        {1920, 1080, 0, {(1920 - 720) / 2, (1080 - 960) / 2, 3}},   // full screen: the largest scale
        {1000, 1000, 2, {(1000 - 480) / 2, (1000 - 640) / 2, 2}},   // an enlarged window, not picture
        {100, 100, 0, {-70, -110, 1}},                              // never below the picture's own size
    };
    for (const auto& c : cases) {
        const Viewport viewport = FitViewport(c.width, c.height, c.chosen);
        EXPECT_EQ((std::array{viewport.left, viewport.top, viewport.scale}),
                  (std::array{c.expected.left, c.expected.top, c.expected.scale})) << c.width << "x" << c.height;
    }
}

TEST(SdlSessionRecorder, PaintsEvenlySpacedBecomeOneRunAndEveryOtherEventSetsItsClock) {
    using platform::HostEventKind;
    std::string out;
    {
        SessionRecorder recorder([&out](std::string_view line) { return out += line, true; }, 4294967250u);
        for (const std::uint32_t clock : {4294967250u, 4294967281u, 16u, 47u, 48u}) {
            recorder.RecordEvent({HostEventKind::Paint, 0, 0}, clock);  // across the wrap
        }
        recorder.RecordEvent({HostEventKind::PenDown, 12, 34}, 60);
        recorder.RecordEvent({HostEventKind::None, 0, 0}, 61);
        recorder.RecordEvent({HostEventKind::CloseRequest, 0, 0}, 62);
        recorder.RecordScreenshot("/tmp/mirelink-20240307-090503-1.png");
        recorder.RecordEvent({HostEventKind::Close, 0, 0}, 70);
    }
    EXPECT_EQ(out,
              "# runner-args: --clock 4294967250\n"
              "clock 4294967250\nstep 0\npaint\nstep 31\npaint 3\nstep 1\npaint\n"
              "clock 60\ndown 12 34\n"
              "clock 62\nclose\n"
              "# screenshot /tmp/mirelink-20240307-090503-1.png\n"
              "# the window was closed\n");
}

// The recording goes where the user meant: a new file, an existing one only
// with --overwrite, never a device, a pipe or the target of a link.
TEST(SdlRecordingFile, TakesANewFileOrOneTheUserSaidToReplaceAndNothingElse) {
    const fs::path directory = fs::path(::testing::TempDir()) / ("mirelink-record-" + std::to_string(::getpid()));
    fs::create_directories(directory);
    std::ofstream(directory / "old.txt") << "an older session";
    fs::create_symlink(directory / "old.txt", directory / "link.txt");
    fs::create_symlink("/dev/full", directory / "device.txt");
    ASSERT_EQ(::mkfifo((directory / "pipe.txt").c_str(), 0600), 0);
    const struct { const char* name; bool overwrite; const char* problem; } cases[] = {
        {"new.txt", false, ""},
        {"old.txt", false, "the file exists; --overwrite replaces it"},
        {"old.txt", true, ""},
        {"link.txt", true, "it is a symbolic link; give the file itself"},
        {"device.txt", true, "it is a symbolic link; give the file itself"},
        {"pipe.txt", true, "not a regular file"},
        {"missing/new.txt", false, "No such file or directory"},
    };
    for (const auto& c : cases) {
        const std::string path = (directory / c.name).string();
        EXPECT_EQ(RecordingPathProblem(path, c.overwrite), c.problem) << c.name;
        // The file is created later: should the path change meanwhile, the
        // same rules hold (and a pipe does not hold the game up).
        EXPECT_EQ(RecordingFile(path, c.overwrite).IsOpen(), *c.problem == '\0') << c.name;
    }
    EXPECT_EQ(fs::file_size(directory / "old.txt"), 0u) << "replaced when the user said so";
    EXPECT_TRUE(fs::is_symlink(directory / "link.txt"));
    EXPECT_EQ(fs::read_symlink(directory / "device.txt"), "/dev/full");
    fs::remove_all(directory);
}

TEST(SdlScreenshotFiles, NamesCarryDateTimeAndANumberNeverOverwriteAndHoldThePictureAsShown) {
    const fs::path directory = fs::path(::testing::TempDir()) / ("mirelink-shots-" + std::to_string(::getpid()));
    fs::create_directories(directory);
    std::tm when{};  // 7 March 2024, 09:05:03
    when.tm_year = 2024 - 1900, when.tm_mon = 2, when.tm_mday = 7, when.tm_hour = 9, when.tm_min = 5, when.tm_sec = 3;
    int number = 1;
    std::ofstream(directory / "mirelink-20240307-090503-1.png") << "taken earlier";
    std::ofstream(directory / "mirelink-20240307-090503-2.png") << "taken earlier";
    EXPECT_EQ(NextScreenshotPath(directory, when, number).filename(), "mirelink-20240307-090503-3.png");
    EXPECT_EQ(NextScreenshotPath(directory, when, number).filename(), "mirelink-20240307-090503-4.png");

    std::vector<std::uint32_t> picture(kScreenPixels, 0x000000u);
    picture[0] = 0xFF0000u;
    picture[kScreenPixels - 1] = 0x0000FFu;
    picture[272 * kScreenWidth + 35] = 0x12AB34u;
    ASSERT_EQ(SavePng(directory / "shot.png", std::span<const std::uint32_t, kScreenPixels>(picture)), "");
    EXPECT_NE(SavePng(directory / "missing" / "shot.png", std::span<const std::uint32_t, kScreenPixels>(picture)), "");
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&image, (directory / "shot.png").c_str()), 0);
    EXPECT_EQ(image.width * 1000 + image.height, 240320u);
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0);
    for (const auto& [at, colour] : {std::pair{0, 0xFF0000}, std::pair{static_cast<int>(kScreenPixels) - 1, 0x0000FF},
                                     std::pair{272 * kScreenWidth + 35, 0x12AB34}, std::pair{1, 0}}) {
        EXPECT_EQ(rgb[3 * at] << 16 | rgb[3 * at + 1] << 8 | rgb[3 * at + 2], colour) << at;
    }
    fs::remove_all(directory);
}

}  // namespace
}  // namespace sdlhost
