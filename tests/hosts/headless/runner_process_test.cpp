// The built runner, run as the scenario scripts run it: its exit codes and
// what it prints. What it plays is checked by the scenarios themselves.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class RunnerProcess : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) /
              ("runner-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        if (!HasFailure()) fs::remove_all(dir);
    }
    std::string Script(const std::string& text) {
        std::ofstream(dir / "test.mls", std::ios::binary) << text;
        return (dir / "test.mls").string();
    }
    // Runs the runner in `dir` (its paths are relative to where it runs),
    // after the shell commands `before`, with its standard output to `out`;
    // its exit code, and its error output in `errors`.
    int Run(const std::vector<std::string>& arguments, const std::string& before = "",
            const std::string& out = "/dev/null") {
        // Built by appending: GCC's optimiser misreads "literal" + std::string&&.
        std::string command = "cd ";
        command += Quoted(dir.string());
        command += " && ";
        command += before;
        command += Quoted(MIRELINK_HEADLESS_PATH);
        for (const std::string& word : arguments) {
            command += ' ';
            command += Quoted(word);
        }
        command += " >" + out + " 2>stderr.txt";
        const int status = std::system(command.c_str());
        std::ostringstream text;
        text << std::ifstream(dir / "stderr.txt").rdbuf();
        errors = text.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    fs::path dir;
    std::string errors;
};

TEST_F(RunnerProcess, RefusedDisplaysShowTheGamesMessagesAndEndQuietly) {
    const std::string script = Script("expect score 12345\n");  // would fail if the game reached its loop
    EXPECT_EQ(Run({"--display", "320x240:0x100:16", script}), 0);
    EXPECT_EQ(errors, "Error: The given coding of colour is not supported by the program.\n"
                      "Error: The given screen dimension is not supported by the program.\n");
}

// A script that fails exits 1 naming its line, and runs no line after it;
// mistakes in the text stop it before its first line runs.
TEST_F(RunnerProcess, FailingScriptsExitOneNamingTheLine) {
    const std::pair<std::string, const char*> cases[] = {
        {"paint 2\n# the score starts at nought\nexpect score 12345\nshot out.png\n",
         ":3: expect score: wanted 12345, got 0\n"},
        // A mistyped word is quoted, a long one only in part.
        {"shot out.png\n" + std::string(100000, 'j') + " 3\n", ":2: unknown command 'jjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjjj...'\n"},
        {"shot out.png\npaint\nexpect scroe 1\n", ":3: expect: unknown field 'scroe'\n"},
        // The about panel, then "X" and "Yes": the program ends there.
        {"tap 200 230\ntap 222 306\ntap 60 200\nshot out.png\n",
         ":4: the program has ended; this line and the rest of the script cannot run\n"},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        const std::string script = Script(text);
        EXPECT_EQ(Run({script}), 1);
        EXPECT_EQ(errors, script + message);
        EXPECT_FALSE(fs::exists(dir / "out.png"));
    }
}

// A `shot` or `state` that cannot be written fails naming its line and leaves
// whatever its path named as it was: a link to a device, an older file on a
// disk that fills up (a file size limit stands in for it), a full output.
TEST_F(RunnerProcess, FilesThatCannotBeWrittenFailAndLeaveWhatWasThere) {
    fs::create_symlink("/dev/full", dir / "device");
    std::ofstream(dir / "old") << "kept";
    const std::string fullDisk = "trap '' XFSZ; ulimit -f 1; ";
    const struct { const char* text; std::string before; const char* out; const char* message; } cases[] = {
        {"state device\n", "", "/dev/null", ":1: state: cannot write 'device': not a regular file\n"},
        {"paint\nshot old\n", fullDisk, "/dev/null", ":2: shot: cannot write 'old': File too large\n"},
        {"state -\n", "", "/dev/full", ":1: state: cannot write to standard output\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string script = Script(c.text);
        EXPECT_EQ(Run({script}, c.before, c.out), 1);
        EXPECT_EQ(errors, script + c.message);
        EXPECT_EQ(fs::read_symlink(dir / "device"), "/dev/full");
        std::ostringstream old;
        old << std::ifstream(dir / "old").rdbuf();
        EXPECT_EQ(old.str(), "kept");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 4) << "no file left behind";
    }
    // A link to a file is followed: the file gets the state, the link stays.
    fs::create_symlink("old", dir / "link");
    EXPECT_EQ(Run({Script("state link\n")}), 0) << errors;
    EXPECT_TRUE(fs::is_symlink(dir / "link"));
    EXPECT_GT(fs::file_size(dir / "old"), 1000u);
}

TEST_F(RunnerProcess, BadOptionsOrAnUnreadableScriptExitTwo) {
    const std::string script = Script("paint\n");
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"--display", "240x320:444:16", script}, {"--clock", "soon", script}, {"--clock", "4294967296", script},
             {"--no-such-option", script}, {}, {dir.string()}}) {
        EXPECT_EQ(Run(arguments), 2) << errors;
        EXPECT_NE(errors, "");
    }
    EXPECT_EQ(Run({"/dev/zero"}), 2);  // an endless device is refused before it is read
    EXPECT_NE(errors.find("cannot read script '/dev/zero'"), std::string::npos) << errors;
}

TEST_F(RunnerProcess, CopyThatFindsNoRunningGameSaysSoAndExitsThree) {
    EXPECT_EQ(Run({"--namespace", "headless-lonely-" + std::to_string(::getpid()), "--insist-on-hand-over"}), 3);
    EXPECT_NE(errors.find("found no running game"), std::string::npos) << errors;
}

}  // namespace
