// The resource script reader: what it takes from each kind of line, and a
// clear refusal, naming the line, of anything malformed.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/dbb/raw_picture.h"
#include "tools/dbb/resource_script.h"

namespace {

dbb::ResourceScript Parse(const std::string& text) {
    std::istringstream in(text);
    return dbb::ParseResourceScript(in, "test.txt");
}

std::string ErrorOf(const std::string& text) {
    try {
        Parse(text);
    } catch (const dbb::Error& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(ResourceScript, ReadsEveryKindOfLine) {
    const auto script = Parse(
        "# comment\n\n"
        "string 1 \"Mire \\\"link\\\" \\\\ \xE2\x99\xA5 \xF0\x9F\x90\xB8\"\n"
        "icon   101 32 32\n"
        "  dbb 352 packed 200 2700 15 heart masks\n");
    ASSERT_EQ(script.strings.size(), 1u);
    EXPECT_EQ(script.strings[0].text, u"Mire \"link\" \\ \u2665 \U0001F438");
    ASSERT_EQ(script.icons.size(), 1u);
    ASSERT_EQ(script.pictures.size(), 1u);
    const dbb::PictureLine& masks = script.pictures[0];
    EXPECT_EQ(std::vector<std::uint32_t>({masks.id, masks.width, masks.height, masks.frames}),
              std::vector<std::uint32_t>({352, 200, 2700, 15}));
    EXPECT_EQ(masks.form, dbb::PictureForm::Packed);
    EXPECT_EQ(masks.description, "heart masks");
    EXPECT_EQ(masks.line, 5);
}

TEST(ResourceScript, RefusesMalformedLinesNamingThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"dbb 1 raw 20 20 1 x\nsprite 2\n", "test.txt:2: unknown resource kind 'sprite'"},
        {"dbb 1 squashed 20 20 1\n", "test.txt:1: form must be raw or packed"},
        {"dbb 1 raw 20 -20 1\n", "test.txt:1: height must be a whole number"},
        {"dbb 1 raw 20 20\n", "test.txt:1: missing frames"},
        {"dbb 65536 raw 20 20 1\n", "test.txt:1: id must be"},
        {"dbb 1 raw 20 30 4\n", "test.txt:1: height is not a whole number of frames"},
        {"dbb 1 raw 65535 65535 1\n", "test.txt:1: picture too large"},
        {"icon 101 32 32 extra\n", "test.txt:1: unexpected 'extra'"},
        {"string 1 Mirelink\n", "test.txt:1: text must be in double quotes"},
        {"string 1 \"Mirelink\n", "test.txt:1: text has no closing quote"},
        {"string 1 \"Mire\\nlink\"\n", "test.txt:1: unknown escape"},
        {"string 1 \"\xC0\xAF\"\n", "test.txt:1: text is not valid UTF-8"},
        {"string 1 \"\xED\xA0\x80\"\n", "test.txt:1: text is not valid UTF-8"},
        {"dbb 7 raw 1 1 1\n#\ndbb 7 packed 2 2 1\n", "test.txt:3: picture 7 appears twice"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ErrorOf(text).rfind(expected, 0), 0u) << text << " gave: " << ErrorOf(text);
    }
}

TEST(RawPictureSize, RefusesSizesBeyondThirtyTwoBits) {
    EXPECT_EQ(dbb::RawPictureBytes(20, 20), 1608u);
    EXPECT_FALSE(dbb::RawPictureBytes(65536, 16384));
    EXPECT_FALSE(dbb::WholePictureHeader(std::vector<std::uint8_t>{0, 0, 0, 0x80, 0, 0, 0, 0x80}));
}

}  // namespace
