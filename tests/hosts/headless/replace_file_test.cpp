// The files the hosts write for the user (shots, state, recordings): each is
// written whole, byte for byte, or refused leaving what was there, and
// nothing is left beside it.
#include "hosts/files/replace_file.h"

#include <unistd.h>

#include <cstdio>
#ifdef _WIN32
#include <share.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

TEST(ReplaceFile, WritesTheWholeFileOrRefusesAndLeavesNothingBeside) {
    const fs::path dir = fs::path(::testing::TempDir()) / ("replace-file-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "folder");
    std::ofstream(dir / "old", std::ios::binary) << "older";
    struct Case { std::string name; const char* refusal; };
    std::vector<Case> cases{
        {"new", nullptr}, {"old", nullptr}, {"t\xC3\xA9n \xE2\x99\xA5", nullptr},  // a name in UTF-8
        {"folder", "not a regular file"}, {"missing/new", ""},
    };
    std::ptrdiff_t files = 4;  // folder, old, new and the one named in UTF-8
#ifdef _WIN32
    // A file another program holds open cannot be replaced there, once the new one is written.
    std::ofstream(dir / "held") << "held";
    std::FILE* held = _fsopen((dir / "held").string().c_str(), "rb", _SH_DENYRW);
    ASSERT_NE(held, nullptr);
    cases.push_back({"held", ""});
    ++files;
#endif
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.string() + "/" + c.name;
        const std::string error = ReplaceFile(path, "line\nline\r\n");
        if (c.refusal == nullptr) {
            EXPECT_EQ(error, "");
            EXPECT_EQ(Contents(fs::u8path(path)), "line\nline\r\n");
        } else {
            EXPECT_EQ(error.rfind("cannot write '" + path + "': " + c.refusal, 0), 0u) << error;
        }
    }
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
#ifdef _WIN32
    std::fclose(held);
    EXPECT_EQ(Contents(dir / "held"), "held");
#endif
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), files) << "no file left behind";
    fs::remove_all(dir);
}

}  // namespace
