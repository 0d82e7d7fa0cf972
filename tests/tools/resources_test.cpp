// The resources from script to program: the script reader, the generator,
// and the table built into the program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <sstream>
#include <tuple>

#include "res/resources.h"
#include "state/game_state.h"
#include "tools/dbb/embedded_pictures.h"
#include "tools/dbb/packer.h"
#include "tools/dbb/raw_picture.h"
#include "tools/dbb/resource_script.h"
#include "tools/resgen/resource_builder.h"
#include "tools/resgen/source_writer.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;


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



Bytes Picture(std::uint32_t width, std::uint32_t height) {
    Bytes bytes;
    dbb::AppendU32(bytes, width);
    dbb::AppendU32(bytes, height);
    bytes.resize(bytes.size() + 4 * width * height, 0x80);
    return bytes;
}

TEST(ResourceBuilder, ReportsEveryFaultyFile) {
    const fs::path dir = fs::temp_directory_path() / ("mirelink-resgen-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    dbb::WriteFileBytes(dir / "10.dbb", Picture(4, 7));
    Bytes truncated = Picture(5, 5);
    truncated.pop_back();
    dbb::WriteFileBytes(dir / "11.dbb", truncated);
    std::istringstream script("dbb 10 raw 4 6 1\ndbb 11 packed 5 5 1\ndbb 13 raw 2 2 1\nicon 101 32 32\n");
    const auto result = resgen::BuildResources(dbb::ParseResourceScript(script, "test.txt"), dir);
    fs::remove_all(dir);
    const char* expected[] = {"10.dbb: is 4x7, the script says 4x6", "11.dbb: not a raw picture", "13.dbb: missing",
                              "icon101.dbb: missing"};
    ASSERT_EQ(result.problems.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_NE(result.problems[i].find(expected[i]), std::string::npos) << result.problems[i];
    }
}

TEST(PackVerified, RefusesWhatTheGameCannotUnpack) {
    EXPECT_THROW(resgen::PackVerified(Bytes(kDecodeBufferBytes + 1, 0)), dbb::Error);
}

// Reads a literal body back the way a C++ compiler does: characters as they
// are, a backslash and up to three octal digits as one byte.
Bytes CompilerReading(const std::string& body) {
    Bytes bytes;
    for (std::size_t i = 0; i < body.size(); ++i) {
        unsigned value = static_cast<unsigned char>(body[i]);
        if (body[i] == '\\') {
            value = 0;
            for (int digits = 0; digits < 3 && i + 1 < body.size() && body[i + 1] >= '0' && body[i + 1] <= '7';
                 ++digits) {
                value = value * 8 + static_cast<unsigned>(body[++i] - '0');
            }
        }
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

TEST(SourceWriter, LiteralBodiesReadBackAsTheSameBytes) {
    Bytes bytes;
    for (int value = 0; value < 256; ++value) bytes.push_back(static_cast<std::uint8_t>(value));
    // Escapes followed by digits, and the characters a literal treats specially.
    for (const char* tricky : {"\0017", "\0010", "?\?=", "?\?/", "\"\\", "\n8"}) {
        bytes.insert(bytes.end(), tricky, tricky + 3);
    }
    const std::string body = resgen::EscapedLiteralBody(bytes);
    EXPECT_EQ(CompilerReading(body), bytes);
    EXPECT_EQ(body.find("??"), std::string::npos);
    EXPECT_TRUE(std::all_of(body.begin(), body.end(), [](char c) { return c >= 0x20 && c < 0x7F; }));
}


const dbb::ResourceScript& Script() {
    static const dbb::ResourceScript script = dbb::LoadResourceScript(MIRELINK_RESOURCE_SCRIPT);
    return script;
}

const platform::ResourceEntry* Find(const char* type, std::uint32_t id) {
    const platform::ResourceTable& table = MirelinkResources();
    for (std::size_t i = 0; i < table.count; ++i) {
        if (std::strcmp(table.entries[i].type, type) == 0 && table.entries[i].id == id) return &table.entries[i];
    }
    return nullptr;
}

TEST(EmbeddedTable, PicturesAreTheScriptsAndTheOnesDrawn) {
    const dbb::EmbeddedPictures embedded(MirelinkResources(), MirelinkPictureCatalogue());
    std::vector<dbb::PictureLine> expected = Script().pictures;
    std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    const std::vector<dbb::PictureRow> rows = embedded.List();
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const dbb::PictureLine& line = expected[i];
        SCOPED_TRACE("picture " + std::to_string(line.id));
        EXPECT_TRUE(std::tie(rows[i].id, rows[i].form, rows[i].width, rows[i].height, rows[i].frames) ==
                    std::tie(line.id, line.form, line.width, line.height, line.frames));
        const auto drawn = dbb::ReadFileBytes(std::string(MIRELINK_ART_DIR) + "/" + std::to_string(line.id) + ".dbb");
        EXPECT_TRUE(embedded.RawBytes(line.id) == drawn);
        EXPECT_EQ(rows[i].storedBytes, line.form == dbb::PictureForm::Raw ? line.Bytes() : rows[i].storedBytes);
    }
}

TEST(EmbeddedTable, IconAndStringsAreThere) {
    for (const dbb::IconLine& line : Script().icons) {
        const platform::ResourceEntry* icon = Find("ICON", line.id);
        const auto header = icon ? dbb::WholePictureHeader({icon->data, icon->size}) : std::nullopt;
        ASSERT_TRUE(header) << line.id;
        EXPECT_EQ(header->width * 10000 + header->height, line.width * 10000 + line.height) << line.id;
    }
    for (const dbb::StringLine& line : Script().strings) {
        const platform::ResourceEntry* text = Find("STRING", line.id);
        ASSERT_TRUE(text && text->size % 2 == 0) << line.id;
        EXPECT_TRUE(std::u16string(reinterpret_cast<const char16_t*>(text->data), text->size / 2) == line.text) << line.id;
    }
}

}  // namespace
