// The built runner, run as the tests and the scenario scripts run it: exit
// codes, what it prints, the pictures it makes, and a real relaunch.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

namespace fs = std::filesystem;

struct RunResult {
    int exitCode = -1;
    std::string errors;
};

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class RunnerProcess : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::path(::testing::TempDir()) / ("runner-" + std::to_string(::getpid()) + "-" + test->name());
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
    // its error output kept.
    RunResult Run(const std::vector<std::string>& arguments) {
        // Built by appending: GCC's optimiser misreads "literal" + std::string&&.
        std::string command = "cd ";
        command += Quoted(dir.string());
        command += " && ";
        command += Quoted(MIRELINK_HEADLESS_PATH);
        for (const std::string& word : arguments) {
            command += ' ';
            command += Quoted(word);
        }
        command += " >/dev/null 2>stderr.txt";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(dir / "stderr.txt")};
    }

    nlohmann::json Platform(const char* name) { return nlohmann::json::parse(ReadAll(dir / name))["platform"]; }

    fs::path dir;
};

TEST_F(RunnerProcess, RefusedDisplaysShowTheGamesMessagesAndEndQuietly) {
    const std::string sizeMessage = "Error: The given screen dimension is not supported by the program.\n";
    const std::string codingMessage = "Error: The given coding of colour is not supported by the program.\n";
    const std::string colourMessage = "Error: The display not less than 65536 colours is required.\n";
    const struct {
        const char* display;
        std::string messages;
    } cases[] = {
        {"320x240:565:16", sizeMessage},
        {"240x320:565:8", colourMessage},
        {"240x320:0x180:16", codingMessage},
        {"320x240:0x100:16", codingMessage + sizeMessage},
    };
    // The script would fail if it ran: the game ends before its loop.
    const std::string script = Script("expect score 12345\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.display);
        const RunResult result = Run({"--display", c.display, script});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.errors, c.messages);
    }
}

TEST_F(RunnerProcess, FailedExpectExitsOneNamingItsLineAndRunsNothingAfter) {
    const std::string script = Script("paint 2\n# the score starts at nought\nexpect score 12345\nshot after.png\n");
    const RunResult result = Run({script});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errors, script + ":3: expect score: wanted 12345, got 0\n");
    EXPECT_FALSE(fs::exists(dir / "after.png"));
}

TEST_F(RunnerProcess, ScriptMistakesStopTheRunBeforeTheGameStarts) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"shot early.png\njump 3\n", ":2: unknown command 'jump'\n"},
        {"shot early.png\npaint\nexpect scroe 1\n", ":3: expect: unknown field 'scroe'\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string script = Script(c.text);
        const RunResult result = Run({script});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.errors, script + c.message);
        EXPECT_FALSE(fs::exists(dir / "early.png")) << "line 1 ran";
    }
}

TEST_F(RunnerProcess, BadOptionsOrAnUnreadableScriptExitTwo) {
    const std::string script = Script("paint\n");
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--display", "240x320:444:16", script},
                                               {"--clock", "soon", script},
                                               {"--clock", "4294967296", script},
                                               {"--no-such-option", script},
                                               {},
                                               {dir.string()}}) {
        const RunResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, 2) << result.errors;
        EXPECT_NE(result.errors, "");
    }
    // An endless device is refused before it is read.
    for (const std::string& path : {(dir / "missing.mls").string(), std::string("/dev/zero")}) {
        const RunResult result = Run({path});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.errors.find("cannot read script '" + path + "'"), std::string::npos) << result.errors;
    }
}

TEST_F(RunnerProcess, LinesAfterTheProgramEndedFailTheRun) {
    // The about panel, then "X" and "Yes": the program ends there.
    const std::string script = Script("tap 200 230\ntap 222 306\ntap 60 200\nexpect score 12345\n");
    const RunResult result = Run({script});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errors, script + ":4: the program has ended; this line and the rest of the script cannot run\n");
}

TEST_F(RunnerProcess, SameScriptAndClockGiveTheSamePictureByteForByte) {
    const std::string script = Script(
        "paint 20\n"
        "shot first.png\n"
        "tap 205 228\n"  // closes the about panel
        "paint 5\n"
        "tap 100 265\n"  // Start: a board drawn from the random sequence
        "paint 60\n"
        "tapcell 5 5\n"
        "paint 20\n"
        "shot second.png\n");
    ASSERT_EQ(Run({"--clock", "4321", script}).exitCode, 0);
    fs::rename(dir / "second.png", dir / "second-a.png");
    ASSERT_EQ(Run({"--clock", "4321", script}).exitCode, 0);
    const std::string once = ReadAll(dir / "second-a.png");
    EXPECT_FALSE(once.empty());
    EXPECT_EQ(once, ReadAll(dir / "second.png"));
    EXPECT_NE(ReadAll(dir / "first.png"), once) << "the script changed nothing on screen";
}

TEST_F(RunnerProcess, RelaunchAfterFocusLossBringsTheFirstCopyBack) {
    const std::string script = Script(
        "paint 5\nstate shown.json\nfocus-lost\npaint 10\nstate hidden.json\nrelaunch\nstate back.json\n");
    const RunResult result = Run({script});
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    const auto hidden = Platform("hidden.json");
    const auto back = Platform("back.json");
    EXPECT_EQ(hidden["windowVisible"], false);
    EXPECT_EQ(hidden["presents"], Platform("shown.json")["presents"]) << "a hidden window presented";
    EXPECT_EQ(back["windowVisible"], true);
    EXPECT_EQ(back["displayOpen"], true);
    EXPECT_EQ(back["presents"].get<int>(), hidden["presents"].get<int>() + 1) << "the picture as it was, once";
}

TEST_F(RunnerProcess, CopyThatFindsNoRunningGameSaysSoAndExitsThree) {
    const RunResult result = Run({"--namespace", "headless-lonely-" + std::to_string(::getpid()),
                                  "--insist-on-hand-over"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_NE(result.errors.find("found no running game"), std::string::npos) << result.errors;
}

}  // namespace
