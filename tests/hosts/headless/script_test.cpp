// The runner's parsers (the script, its fields, --display), and the screen's
// colours as the hosts show them.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "hosts/headless/display_option.h"
#include "hosts/headless/screenshot.h"
#include "hosts/headless/script.h"
#include "platform/gx/gx.h"

namespace {

Script Parsed(std::string_view text) {
    auto result = ParseScript(text);
    if (auto* error = std::get_if<ScriptError>(&result)) {
        ADD_FAILURE() << "line " << error->line << ": " << error->message;
        return {};
    }
    return std::get<Script>(result);
}

// Every command's meaning is checked by the plays that use it; here, the
// extremes its arguments take, and the lines that carry no command.
TEST(ScriptParsing, TakesTheExtremesOfEachArgumentAndSkipsCommentsAndBlankLines) {
    const Script script = Parsed("# runner-args: --clock 5000\n\n   \r\nclock 4294967295 # late\r\n\tdown 0 65535\n"
                                 "tapcell 11 0\n#tap 9 9\nexpect cells[0].delay -3");
    ASSERT_EQ(script.size(), 4u);
    EXPECT_EQ(script[0].line, 4);
    EXPECT_EQ(script[0].amount, 4294967295u);
    EXPECT_EQ(script[1].y, 65535);
    EXPECT_EQ(script[2].x * 1000 + script[2].y, 230010) << "a cell's centre";
    EXPECT_EQ(script[3].line, 8);
    EXPECT_EQ(FormatFieldPath(script[3].path), "cells[0].delay");
    EXPECT_EQ(script[3].value.number, -3);
}

TEST(ScriptParsing, RefusesArgumentsOutOfRangeOrMalformed) {
    for (const char* line : {"down 65536 0", "up 0 -1", "tap 1", "tap 1 2 3", "tap x 2", "tapcell 12 0",
                             "tapcell 0 12", "paint 0", "paint -1", "paint 4294967296", "paint 1 2", "step",
                             "clock", "clock 4294967296", "step 1.5", "focus-lost now", "relaunch 2", "shot",
                             "state a b", "expect score", "expect score 1 2", "expect cells[ 1", "expect score maybe",
                             "expect score 0x10", "set tickEnabled True", "expect score 1.0", "set 3score 1",
                             "Paint 1"}) {
        EXPECT_TRUE(std::holds_alternative<ScriptError>(ParseScript(line))) << line;
    }
}

// A script is a regular file of bounded size, named in UTF-8; whatever else
// the path names is refused without waiting on it or reading it to its end.
TEST(ScriptFile, ReadsARegularFileUpToTheLimitAndRefusesEverythingElse) {
    const std::filesystem::path dir = ::testing::TempDir() + "script-file-" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    const std::string named = dir.string() + "/t\xC3\xA9n \xE2\x99\xA5.mls";
    std::ofstream(std::filesystem::u8path(named), std::ios::binary) << "paint 100\r\n";
    struct Case { std::string path; std::size_t limit; const char* error; };
    std::vector<Case> cases{
        {named, 11, ""},
        {named, 10, "larger than 10 bytes"},
        {dir.string(), kMaxScriptBytes, "not a regular file"},
        {(dir / "missing.mls").string(), kMaxScriptBytes, "No such file or directory"},
    };
#ifdef _WIN32
    cases.push_back({"NUL", kMaxScriptBytes, "not a regular file"});
#else
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    cases.insert(cases.end(), {{"/proc/self/maps", 9, "larger than 9 bytes"},  // says it is empty
                               {"/dev/zero", kMaxScriptBytes, "not a regular file"},
                               {(dir / "pipe").string(), kMaxScriptBytes, "not a regular file"}});  // no writer comes
#endif
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const ScriptFile file = ReadScriptFile(c.path, c.limit);
        EXPECT_EQ(file.error, c.error);
        EXPECT_EQ(file.text, *c.error == '\0' ? "paint 100\r\n" : "") << "read as it is, byte for byte";
    }
    std::filesystem::remove_all(dir);
}

class ScriptFieldCheck : public ::testing::Test {
protected:
    std::optional<ScriptError> Check(std::string_view text) { return CheckScriptFields(Parsed(text), *state); }
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
};

TEST_F(ScriptFieldCheck, RefusesUnknownPathsAndUnfitValuesNamingTheLine) {
    const struct { const char* text; const char* message; } cases[] = {
        {"paint\nexpect scroe 1", "expect: unknown field 'scroe'"},
        {"paint\nexpect kinds[144] 1", "expect: index 144 is past the end of 'kinds' (144 entries)"},
        {"paint\nexpect cells[0].dealy 1", "expect: 'cells[0]' has no field 'dealy'"},
        {"paint\nexpect cells[0] 1", "expect: 'cells[0]' is a record; name one of its fields"},
        {"paint\nexpect kinds 1", "expect: 'kinds' is an array; give an index"},
        {"paint\nexpect decodeBuffer[0] 1", "expect: unknown field 'decodeBuffer'"},
        {"paint\nexpect tickEnabled 2", "expect: 'tickEnabled' is a flag; give true, false, 1 or 0"},
        {"paint\nexpect score true", "expect: 'score' is a number; give an integer"},
        {"paint\nset platform.presents 1", "set: 'platform' is the platform's; it cannot be set"},
        {"paint\nset kinds[0] 13", "set: 13 is not a value of 'kinds[0]' (0 to 12 or 99)"},
        {"paint\nset score 2147483648", "set: 2147483648 does not fit 'score' (-2147483648 to 2147483647)"},
        {"paint\nset lastTickTime -1", "set: -1 does not fit 'lastTickTime' (0 to 4294967295)"},
        {"paint\nset tickEnabled 2", "set: 2 does not fit 'tickEnabled' (0 to 1)"},
        {"paint\nset titleImage.width 5", "set: 'titleImage.width' is read only: the game alone sets it"},
        {"paint\nset heroPath[3].x 500", "set: 'heroPath[3].x' is read only: the game alone sets it"},
        {"paint\nset modalShown true", "set: 'modalShown' is read only: the game alone sets it"},  // no panel to roll out
        {"paint\nset display 0", "set: 'display' is not part of the state"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto error = Check(c.text);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->line, 2);
        EXPECT_EQ(error->message, c.message);
    }
}

// Throws, and so fails the test, when the text is refused.
platform::DisplayConfig ParsedDisplay(std::string_view text) {
    return std::get<platform::DisplayConfig>(ParseDisplayOption(text));
}

TEST(DisplayOption, GivesFormatFlagsAndPackedPitches) {
    const platform::DisplayConfig p = ParsedDisplay("240x320:565:16");
    EXPECT_EQ((std::array<std::int64_t, 6>{p.width, p.height, p.bitsPerPixel, p.format, p.xPitch, p.yPitch}),
              (std::array<std::int64_t, 6>{240, 320, 16, 0x80, 2, 480}));
    EXPECT_EQ(ParsedDisplay("240x320:555:16").format, 0x40u);
    EXPECT_EQ(ParsedDisplay("240x320:888:16").format, 0x100u);
    EXPECT_EQ(ParsedDisplay("240x320:0x180:16").format, 0x180u);
    EXPECT_EQ(ParsedDisplay("240x320:0XfFfFfFfF:16").format, 0xFFFFFFFFu);
    EXPECT_EQ(ParsedDisplay("320x240:565:32").yPitch, 1280);
    EXPECT_EQ(ParsedDisplay("240x320:565:4").xPitch, 1);  // never less than a byte a pixel
}

TEST(DisplayOption, RefusesWhatDescribesNoScreen) {
    for (const char* text : {"", "240x320", "240x320:565", "240:320:565:16", "x320:565:16", "240x:565:16",
                             "0x320:565:16", "240x0:565:16", "4097x320:565:16", "240x320:444:16",
                             "240x320:0x:16", "240x320:0xZZ:16", "240x320:0x100000000:16", "240x320:565:0",
                             "240x320:565:33", "240x320:565:16:1", "240x320:565:-16", " 240x320:565:16",
                             "240x320:565:16x"}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(ParseDisplayOption(text))) << text;
    }
}

std::uint32_t OnePixel(std::uint16_t value, std::uint32_t format) {
    const std::uint8_t memory[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
    std::uint32_t pixel = 1;
    ScreenToXrgb(memory, {.width = 1, .height = 1, .format = format}, 1, {&pixel, 1});
    return pixel;
}

// The one colour rule of the desktop window, the page and the runner's shots.
TEST(ScreenColours, FollowTheFormatTheGameChoseAndWidenEachChannel) {
    const struct { std::uint32_t format; std::uint16_t value; std::uint32_t xrgb; } cases[] = {
        {kfDirect565, 0xFFFF, 0xFFFFFF}, {kfDirect565, 0xF800, 0xFF0000}, {kfDirect565, 0x001F, 0x0000FF},
        {kfDirect565, (16 << 11) | (32 << 5) | 1, 0x848208},
        {kfDirect555, (16 << 11) | (16 << 6) | (1 << 1), 0x848408}, {kfDirect555, 0x003E, 0x0000FF},
        {kfDirect555, 0x07C0, 0x00FF00}, {kfDirect555, 0x0001, 0},  // bit 0 carries nothing
        {kfDirect555 | kfDirect565, 0x07C0, 0x00FB00},  // the game writes 5-6-5 when both are offered
        {0, 0x001F, 0x0000FF},                          // and when neither is
    };
    for (const auto& c : cases) EXPECT_EQ(OnePixel(c.value, c.format), c.xrgb) << c.format << " " << c.value;
}

// A 2x2 display with padded pixels and rows: (0,0) red, (1,0) green, (0,1)
// blue, and (1,1) half past the end of its memory.
TEST(ScreenColours, ReadThePitchesAndLeaveWhatIsNotThereBlack) {
    PresentedFrame frame{.memory = {0x00, 0xF8, 9, 9, 0xE0, 0x07, 9, 9, 9, 9, 0x1F, 0x00, 9, 9, 0xFF},
                         .config = {.width = 2, .height = 2, .xPitch = 4, .yPitch = 10}};
    std::vector<std::uint32_t> picture(9, 0x123456u);  // three rows of three
    ScreenToXrgb(frame.memory, frame.config, 3, picture);
    EXPECT_EQ(picture, (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0, 0x0000FF, 0, 0, 0, 0, 0}));
    EXPECT_EQ(DecodeFrame(&frame).rgb, (std::vector<std::uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0}));
    frame.config.bitsPerPixel = 8;
    EXPECT_EQ(DecodeFrame(&frame).rgb, std::vector<std::uint8_t>(12, 0));
    const RgbPicture nothing = DecodeFrame(nullptr);  // a black portrait screen
    EXPECT_EQ(nothing.width * 1000 + nothing.height, 240320u);
    EXPECT_EQ(std::count(nothing.rgb.begin(), nothing.rgb.end(), 0), 240 * 320 * 3);
}

}  // namespace
