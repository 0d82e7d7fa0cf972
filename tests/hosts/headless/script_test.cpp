#include "hosts/headless/script.h"

#include <memory>

#include <gtest/gtest.h>

namespace {

Script Parsed(std::string_view text) {
    auto result = ParseScript(text);
    if (auto* error = std::get_if<ScriptError>(&result)) {
        ADD_FAILURE() << "line " << error->line << ": " << error->message;
        return {};
    }
    return std::get<Script>(result);
}

ScriptError ErrorOf(std::string_view text) {
    auto result = ParseScript(text);
    if (auto* error = std::get_if<ScriptError>(&result)) return *error;
    ADD_FAILURE() << "no syntax error in: " << text;
    return {};
}

TEST(ScriptParsing, ReadsEveryCommandWithItsArguments) {
    const Script script = Parsed(
        "paint\npaint 100000\nstep 0\nclock 4294967295\ndown 0 65535\nup 35 272\ntap 1 2\ntapcell 11 0\n"
        "focus-lost\nrelaunch\nshot out/a.png\nstate -\nexpect cells[0].delay -3\nset tickEnabled true\n");
    const std::vector<CommandKind> kinds = {
        CommandKind::Paint,     CommandKind::Paint,    CommandKind::Step,  CommandKind::Clock, CommandKind::PenDown,
        CommandKind::PenUp,     CommandKind::Tap,      CommandKind::Tap,   CommandKind::FocusLost,
        CommandKind::Relaunch,  CommandKind::Shot,     CommandKind::State, CommandKind::Expect, CommandKind::Set};
    ASSERT_EQ(script.size(), kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(script[i].kind, kinds[i]) << "line " << i + 1;
        EXPECT_EQ(script[i].line, static_cast<int>(i + 1));
    }
    EXPECT_EQ(script[0].amount, 1u);  // one paint when no count is given
    EXPECT_EQ(script[1].amount, 100000u);
    EXPECT_EQ(script[3].amount, 4294967295u);
    EXPECT_EQ(script[4].y, 65535);
    EXPECT_EQ(script[7].x, 230);  // a cell's centre
    EXPECT_EQ(script[7].y, 10);
    EXPECT_EQ(script[10].file, "out/a.png");
    EXPECT_EQ(FormatFieldPath(script[12].path), "cells[0].delay");
    EXPECT_EQ(script[12].value.number, -3);
    EXPECT_TRUE(script[13].value.isFlag);
}

TEST(ScriptParsing, CommentsBlankLinesAndWindowsLineEndsCarryNoCommands) {
    const Script script = Parsed("# runner-args: --clock 5000\n\n   \r\npaint 2 # two frames\r\n\ttap 3 4\n#tap 9 9");
    ASSERT_EQ(script.size(), 2u);
    EXPECT_EQ(script[0].line, 4);
    EXPECT_EQ(script[0].amount, 2u);
    EXPECT_EQ(script[1].line, 5);
    EXPECT_EQ(script[1].y, 4);
}

TEST(ScriptParsing, MistakesNameTheirLine) {
    EXPECT_EQ(ErrorOf("paint\n\njump 3\n").line, 3);
    EXPECT_EQ(ErrorOf("jump 3").message, "unknown command 'jump'");
    EXPECT_EQ(ErrorOf("paint\ndown 65536 0").line, 2);
}

TEST(ScriptParsing, RefusesArgumentsOutOfRangeOrMalformed) {
    for (const char* line : {"down 65536 0", "up 0 -1", "tap 1", "tap 1 2 3", "tap x 2", "tapcell 12 0",
                             "tapcell 0 12", "paint 0", "paint -1", "paint 4294967296", "paint 1 2", "step",
                             "clock", "clock 4294967296", "step 1.5", "focus-lost now", "relaunch 2", "shot",
                             "state a b", "expect score", "expect score 1 2", "expect cells[ 1",
                             "expect score maybe", "set 3score 1", "Paint 1"}) {
        SCOPED_TRACE(line);
        EXPECT_EQ(ErrorOf(line).line, 1);
    }
}

class ScriptFieldCheck : public ::testing::Test {
protected:
    std::optional<ScriptError> Check(std::string_view text) { return CheckScriptFields(Parsed(text), *state); }
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
};

TEST_F(ScriptFieldCheck, AcceptsPathsAndValuesThatFitTheirFields) {
    EXPECT_FALSE(Check("expect score 0\n"
                       "expect kinds[143] 5\n"
                       "expect cells[0].delay 3\n"
                       "expect yesRect.left 1\n"
                       "expect tickEnabled 1\n"
                       "expect tickEnabled false\n"
                       "expect platform.presents 7\n"
                       "expect platform.windowRect.bottom 320\n"
                       "set kinds[0] 99\n"
                       "set cells[143].turning true\n"
                       "set lastTickTime 4294967295\n"));
}

TEST_F(ScriptFieldCheck, RefusesUnknownPathsAndUnfitValuesNamingTheLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
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
        {"paint\nset titleImage.width 5", "set: 'titleImage.width' describes a loaded picture; it cannot be set"},
        {"paint\nset angleStep 1", "set: 'angleStep' is not an integer or flag field"},
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

TEST_F(ScriptFieldCheck, CheckingASetLeavesTheStateAlone) {
    ASSERT_FALSE(Check("set score 77\nset kinds[5] 3"));
    EXPECT_EQ(state->score, 0);
    EXPECT_EQ(state->kinds[5], 0);
}

}  // namespace
