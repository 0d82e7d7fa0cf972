// The resource generator: faulty art files reported against the script, what
// the game cannot unpack refused, and the bytes written as literals a
// compiler reads back.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "state/game_state.h"
#include "tools/dbb/packer.h"
#include "tools/dbb/raw_picture.h"
#include "tools/resgen/resource_builder.h"
#include "tools/resgen/source_writer.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

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

}  // namespace
