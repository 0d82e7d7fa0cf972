// The resource generator: pictures checked against the script, packed ones
// proven to round-trip, and the bytes written as literals a compiler reads back.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "app/game_state.h"
#include "tools/dbb/packer.h"
#include "tools/dbb/raw_picture.h"
#include "tools/resgen/resource_builder.h"
#include "tools/resgen/source_writer.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes Picture(std::uint32_t width, std::uint32_t height, std::uint8_t shade) {
    Bytes bytes;
    dbb::AppendU32(bytes, width);
    dbb::AppendU32(bytes, height);
    for (std::uint32_t i = 0; i < width * height; ++i) bytes.insert(bytes.end(), {0, shade, 40, 200});
    return bytes;
}

resgen::BuildResult Build(const std::string& script, const fs::path& artDir) {
    std::istringstream in(script);
    return resgen::BuildResources(dbb::ParseResourceScript(in, "test.txt"), artDir);
}

class ResourceBuilderTest : public testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Write(const std::string& name, const Bytes& bytes) { dbb::WriteFileBytes(dir_ / name, bytes); }

    const fs::path dir_ = fs::temp_directory_path() / ("mirelink-resgen-" + std::to_string(::getpid()));
};

TEST_F(ResourceBuilderTest, BuildsEveryKindOfResource) {
    Write("10.dbb", Picture(4, 6, 1));
    Write("11.dbb", Picture(30, 20, 2));
    Write("icon101.dbb", Picture(3, 3, 3));
    const auto result = Build("dbb 11 packed 30 20 2 strip\ndbb 10 raw 4 6 1\nicon 101 3 3\nstring 2 \"Hi\"\n", dir_);
    ASSERT_TRUE(result.problems.empty()) << result.problems.front();
    const auto& resources = result.table.resources;
    ASSERT_EQ(resources.size(), 4u);
    EXPECT_EQ(resources[0].bytes, Picture(4, 6, 1));  // pictures come in id order
    EXPECT_EQ(dbb::UnpackPicture(resources[1].bytes), Picture(30, 20, 2));
    EXPECT_EQ(resources[2].type, "ICON");
    EXPECT_EQ(resources[2].bytes, Picture(3, 3, 3));
    EXPECT_EQ(resources[3].bytes, (Bytes{'H', 0, 'i', 0}));
    ASSERT_EQ(result.table.catalogue.size(), 2u);
    EXPECT_FALSE(result.table.catalogue[0].packed);
    EXPECT_TRUE(result.table.catalogue[1].packed);
    EXPECT_EQ(result.table.catalogue[1].frames, 2u);
}

TEST_F(ResourceBuilderTest, ReportsEveryFaultyFile) {
    Write("10.dbb", Picture(4, 7, 1));
    Bytes truncated = Picture(5, 5, 1);
    truncated.pop_back();
    Write("11.dbb", truncated);
    const auto result = Build("dbb 10 raw 4 6 1\ndbb 11 packed 5 5 1\ndbb 13 raw 2 2 1\nicon 101 32 32\n", dir_);
    ASSERT_EQ(result.problems.size(), 4u);
    EXPECT_NE(result.problems[0].find("10.dbb: is 4x7, the script says 4x6"), std::string::npos);
    EXPECT_NE(result.problems[1].find("11.dbb: not a raw picture"), std::string::npos);
    EXPECT_NE(result.problems[2].find("13.dbb: missing"), std::string::npos);
    EXPECT_NE(result.problems[3].find("icon101.dbb: missing"), std::string::npos);
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

}  // namespace
