// The built runner, run as the tests and the scenario scripts run it: exit
// codes, what it prints, the pictures it makes, and a real relaunch.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string errors;
};

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
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

    std::string Script(const std::string& text, const std::string& name = "test.mls") {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    }

    // Runs the runner in `dir` with `arguments`, its output kept apart.
    RunResult Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), MIRELINK_HEADLESS_PATH);
        std::vector<char*> argv;
        for (std::string& word : arguments) argv.push_back(word.data());
        argv.push_back(nullptr);

        const std::string outPath = (dir / "stdout.txt").string();
        const std::string errorPath = (dir / "stderr.txt").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        // The runner's paths are relative to where it runs.
        posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
        pid_t pid = -1;
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(spawned, 0) << "cannot start " << argv[0];
        RunResult result;
        int status = 0;
        if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
        result.out = ReadAll(outPath);
        result.errors = ReadAll(errorPath);
        return result;
    }

    nlohmann::json State(const char* name) { return nlohmann::json::parse(ReadAll(dir / name)); }

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

TEST_F(RunnerProcess, FailedExpectExitsOneNamingItsLine) {
    const std::string script = Script("paint 2\n# the score starts at nought\nexpect score 12345\npaint\n");
    const RunResult result = Run({script});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errors, script + ":3: expect score: wanted 12345, got 0\n");
}

TEST_F(RunnerProcess, ScriptMistakesStopTheRunBeforeTheGameStarts) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"shot early.png\njump 3\n", ":2: unknown command 'jump'\n"},
        {"shot early.png\npaint\nexpect scroe 1\n", ":3: expect: unknown field 'scroe'\n"},
        {"shot early.png\nset kinds[0] 77\n", ":2: set: 77 is not a value of 'kinds[0]' (0 to 12 or 99)\n"},
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
         std::vector<std::vector<std::string>>{{"--display", "240x320", script},
                                               {"--display", "240x320:444:16", script},
                                               {"--clock", "soon", script},
                                               {"--clock", "4294967296", script},
                                               {"--no-such-option", script},
                                               {},
                                               {(dir / "missing.mls").string()},
                                               {dir.string()}}) {
        const RunResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, 2) << result.errors;
        EXPECT_NE(result.errors, "");
    }
    EXPECT_NE(Run({(dir / "missing.mls").string()}).errors.find("cannot read script"), std::string::npos);
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
    EXPECT_NE(ReadAll(dir / "first.png"), ReadAll(dir / "second.png")) << "the script changed nothing on screen";
}

TEST_F(RunnerProcess, RelaunchAfterFocusLossBringsTheFirstCopyBack) {
    const std::string script = Script(
        "paint 5\n"
        "state shown.json\n"
        "focus-lost\n"
        "paint 10\n"
        "state hidden.json\n"
        "relaunch\n"
        "state back.json\n"
        "paint 3\n"
        "state after.json\n");
    const RunResult result = Run({script});
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    const auto shown = State("shown.json")["platform"];
    const auto hidden = State("hidden.json")["platform"];
    const auto back = State("back.json")["platform"];
    const auto after = State("after.json")["platform"];

    EXPECT_EQ(hidden["windowVisible"], false);
    EXPECT_EQ(hidden["displayOpen"], false);
    EXPECT_EQ(hidden["presents"], shown["presents"]) << "a hidden window presented";

    EXPECT_EQ(back["windowVisible"], true);
    EXPECT_EQ(back["displayOpen"], true);
    EXPECT_GT(back["presents"], hidden["presents"]) << "coming back presents the picture as it was";
    EXPECT_EQ(back["windowRect"]["left"], 0);
    EXPECT_EQ(back["windowRect"]["top"], 0);
    EXPECT_EQ(after["presents"].get<int>(), back["presents"].get<int>() + 3);
}

TEST_F(RunnerProcess, CopyThatFindsNoRunningGameSaysSoAndExitsThree) {
    const RunResult result = Run({"--namespace", "headless-lonely-" + std::to_string(::getpid()),
                                  "--insist-on-hand-over", "/dev/null"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_NE(result.errors.find("found no running game"), std::string::npos) << result.errors;
}

}  // namespace
