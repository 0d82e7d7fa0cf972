#include "hosts/headless/display_option.h"

#include <gtest/gtest.h>

namespace {

// Throws, and so fails the test, when the text is refused.
platform::DisplayConfig Parsed(std::string_view text) {
    return std::get<platform::DisplayConfig>(ParseDisplayOption(text));
}

TEST(DisplayOption, GivesFormatFlagsAndPackedPitches) {
    const platform::DisplayConfig portrait = Parsed("240x320:565:16");
    EXPECT_EQ(portrait.width, 240u);
    EXPECT_EQ(portrait.height, 320u);
    EXPECT_EQ(portrait.bitsPerPixel, 16);
    EXPECT_EQ(portrait.format, 0x80u);
    EXPECT_EQ(portrait.xPitch, 2);
    EXPECT_EQ(portrait.yPitch, 480);

    EXPECT_EQ(Parsed("240x320:555:16").format, 0x40u);
    EXPECT_EQ(Parsed("240x320:888:16").format, 0x100u);
    EXPECT_EQ(Parsed("240x320:0x180:16").format, 0x180u);
    EXPECT_EQ(Parsed("240x320:0XfFfFfFfF:16").format, 0xFFFFFFFFu);
    EXPECT_EQ(Parsed("320x240:565:32").yPitch, 1280);
    EXPECT_EQ(Parsed("240x320:565:4").xPitch, 1);  // never less than a byte a pixel
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

}  // namespace
