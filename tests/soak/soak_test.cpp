// The rules must catch a broken game, the player's own count of joined cells
// must agree with the game's, and its plans must finish a path by the game's
// own turns and flood.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>
#include <random>

#include "board/board.h"
#include "board/path.h"
#include "tools/soak/checker.h"
#include "tools/soak/player.h"
#include "tools/soak/script_recorder.h"
#include "tools/soak/watchdog.h"

namespace soak {
namespace {

using platform::HostEvent;
using platform::HostEventKind;

void FreshGame() { new (&game) GameState(); }

// Every cell a random block, the homes and stones in place; `bogShare` of
// the middle cells are bog.
void RandomBoard(std::mt19937& random, double bogShare) {
    std::uniform_int_distribution<int> block(1, 6);
    std::bernoulli_distribution bog(bogShare);
    for (int cell = 0; cell < kCells; ++cell) game.kinds[cell] = bog(random) ? 0 : block(random);
    game.kinds[kHeroHome] = 4;
    game.kinds[kHeroineHome] = 6;
    game.kinds[kTopRightStone] = game.kinds[kBottomLeftStone] = 99;
}

TEST(JoinedCells, AgreeWithTheGamesOwnCount) {
    std::mt19937 random(7);
    for (int board = 0; board < 300; ++board) {
        FreshGame();
        RandomBoard(random, board % 3 * 0.2);
        ASSERT_EQ(CountJoinedToHomes(game.kinds), CountConnected()) << "board " << board;
    }
}

TEST(Plans, FinishThePathWithTheGamesOwnTurns) {
    std::mt19937 random(11);
    int planned = 0;
    for (int board = 0; board < 300; ++board) {
        FreshGame();
        RandomBoard(random, 0);
        const std::vector<PathStep> path = PlanPath(ViewOf(game));
        if (path.empty()) continue;
        ++planned;
        for (const PathStep& step : path) {
            ASSERT_FALSE(step.bog);
            for (int tap = 0; tap < step.taps; ++tap) game.kinds[step.cell] = kTurnTable[game.kinds[step.cell]];
        }
        ASSERT_TRUE(IsPathComplete()) << "board " << board;
    }
    EXPECT_GT(planned, 250) << "a random board of blocks nearly always has a way through";
}

TEST(Plans, GoRoundCellsABallIsAboutToBreakAndThroughBogWhenThereIsNoOtherWay) {
    FreshGame();
    for (int cell = 0; cell < kCells; ++cell) game.kinds[cell] = 2;  // straights cannot turn a corner
    game.kinds[kHeroHome] = 4;
    game.kinds[kHeroineHome] = 6;
    game.kinds[kTopRightStone] = game.kinds[kBottomLeftStone] = 99;
    EXPECT_TRUE(PlanPath(ViewOf(game)).empty());

    game.kinds[Index(5, 0)] = 0;  // flowers where the way must turn
    game.kinds[Index(5, 11)] = 0;
    std::vector<PathStep> path = PlanPath(ViewOf(game));
    ASSERT_EQ(path.size(), 21u);
    EXPECT_EQ(path[4].cell, Index(5, 0));
    EXPECT_TRUE(path[4].bog);

    // A curling frog's ball is bound for (5,11): the way round is down column 7.
    game.kinds[Index(7, 0)] = 0;
    game.kinds[Index(7, 11)] = 0;
    game.cells[Index(3, 3)].active = true;
    game.cells[Index(3, 3)].nextAnim = FrogCurl;
    game.cells[Index(3, 3)].ball1X = 5;
    game.cells[Index(3, 3)].ball1Y = 11;
    path = PlanPath(ViewOf(game));
    ASSERT_EQ(path.size(), 21u);
    EXPECT_EQ(path[6].cell, Index(7, 0));
    EXPECT_EQ(path[17].cell, Index(7, 11));
}

// The homes as a won level leaves them; the rest of the path does not matter here.
void LightThePath() {
    game.kinds[kHeroHome] = 10;
    game.kinds[kHeroineHome] = 12;
    game.kinds[kTopRightStone] = game.kinds[kBottomLeftStone] = 0;
}

// A game in the middle of play; each case lets one event through and makes
// the game answer it rightly or wrongly.
class Rules : public ::testing::Test {
protected:
    void SetUp() override {
        FreshGame();
        std::mt19937 random(3);
        RandomBoard(random, 0.1);
        game.gamePlaying = game.tickEnabled = true;
        game.bankedScore = 100;
        game.score = 104;
        checker.StartProgram(game);
        ASSERT_EQ(Deliver({HostEventKind::Paint}, 1031, [] { game.lastTickTime = 1031; }), "");
    }

    // The invariant broken, or "" when the rules held.
    std::string Deliver(HostEvent event, std::uint32_t clock, const std::function<void()>& game_does) {
        checker.BeforeEvent(event, clock, game, true);
        game_does();
        const auto failure = checker.AfterEvent(game);
        return failure ? failure->invariant : "";
    }

    // A tap on cell (3,4): the press, then the release with its score.
    std::string TapWithScore(int score, bool turns = true) {
        EXPECT_EQ(Deliver({HostEventKind::PenDown, 70, 90}, 1031,
                          [] {
                              game.cellPressed = true;
                              game.pressedCell = {4, 3};
                          }),
                  "");
        return Deliver({HostEventKind::PenUp, 70, 90}, 1031, [score, turns] {
            game.cellPressed = false;
            game.cells[Index(3, 4)].turning = turns;
            game.score = score;
        });
    }

    Checker checker;
};

TEST_F(Rules, HoldForAGameThatKeepsThemAndCatchEachBreach) {
    const int counted = game.bankedScore + CountConnected();
    EXPECT_EQ(TapWithScore(counted), "");
    EXPECT_EQ(TapWithScore(counted + 1), "score after a tap");
    EXPECT_EQ(TapWithScore(counted, false), "tapped block turns");

    game.introRunning = true;
    for (std::uint32_t tick = 1; tick <= 150; ++tick) {
        const std::uint32_t clock = 1031 + 31 * tick;
        ASSERT_EQ(Deliver({HostEventKind::Paint}, clock, [clock] { game.lastTickTime = clock; }), "");
    }
    EXPECT_EQ(Deliver({HostEventKind::Paint}, 9999, [] { game.lastTickTime = 9999; }), "sequences end");
}

TEST_F(Rules, CatchABrokenBoardTickOrFlag) {
    struct Case {
        const char* invariant;
        std::function<void()> before;
        HostEvent event;
        std::uint32_t clock;
        std::function<void()> game_does;
    };
    const Case cases[] = {
        {"", [] {}, {HostEventKind::Paint}, 1062, [] { game.lastTickTime = 1062; }},
        {"board values", [] {}, {HostEventKind::Paint}, 1040, [] { game.kinds[50] = 13; }},
        {"corners", [] {}, {HostEventKind::Paint}, 1040, [] { game.kinds[kTopRightStone] = 0; }},
        {"lit path", [] {}, {HostEventKind::Paint}, 1040, [] { game.bloomPhase = true; }},
        {"banked score", [] {}, {HostEventKind::Paint}, 1040, [] { game.bankedScore = 99; }},
        {"tick pace", [] {}, {HostEventKind::Paint}, 1061, [] { game.lastTickTime = 1061; }},
        {"tick pace", [] {}, {HostEventKind::PenDown, 300, 300}, 1070, [] { game.lastTickTime = 1070; }},
        {"tick due", [] {}, {HostEventKind::Paint}, 1062, [] {}},
        {"phase flags", [] {}, {HostEventKind::Paint}, 1040, [] { game.heroesWalking = true; }},
        {"phase flags", [] {}, {HostEventKind::Paint}, 1040, [] { game.modalShown = game.exitConfirmPending = true; }},
        {"pending answers", [] {}, {HostEventKind::Paint}, 1040, [] { game.stopConfirmPending = true; }},
        // The hearts ended while Help was held: the page came up over the
        // level panel and answers where "OK" is.
        {"panel rectangles",
         [] { game.helpHeld = true; },
         {HostEventKind::PenUp, 30, 250},
         1040,
         [] {
             game.helpHeld = game.tickEnabled = false;
             game.modalShown = game.helpPagesShown = true;
             game.yesRect = game.noRect = {162, 197, 229, 221};
         }},
        {"program end", [] {}, {HostEventKind::CloseRequest}, 1040, [] {}},
        {"start button",
         [] {
             game.gamePlaying = game.tickEnabled = false;
             game.startStopHeld = true;
         },
         {HostEventKind::PenUp, 100, 260},
         1040,
         [] { game.startStopHeld = false; }},
        // "OK" was pressed; its release must build the next level.
        {"next level",
         [] {
             LightThePath();
             game.nextLevelRequested = true;
         },
         {HostEventKind::PenUp, 195, 209},
         1040,
         [] {}},
        // The opening heart ends: the panel comes up, the bonus banked once.
        {"level bonus",
         [] {
             LightThePath();
             game.bloomPhase = game.levelCompleteRunning = true;
         },
         {HostEventKind::Paint},
         1062,
         [] {
             game.lastTickTime = 1062;
             game.bloomPhase = game.levelCompleteRunning = game.tickEnabled = false;
             game.modalShown = game.nextLevelRequested = true;
             game.yesRect = game.noRect = {162, 197, 229, 221};
             game.bankedScore = game.score + 100;
         }},
    };
    for (const Case& c : cases) {
        SetUp();
        c.before();
        EXPECT_EQ(Deliver(c.event, c.clock, c.game_does), c.invariant) << "expected " << c.invariant;
    }
}

TEST_F(Rules, StopAsksOnlyWhenNoSequenceRunsAndPanelsAnswerOnlyTheirRectangles) {
    auto pressStop = [this] { Deliver({HostEventKind::PenDown, 100, 260}, 1040, [] { game.startStopHeld = true; }); };
    auto releaseStop = [this](bool asks) {
        return Deliver({HostEventKind::PenUp, 100, 260}, 1040, [asks] {
            game.startStopHeld = false;
            if (!asks) return;
            game.stopConfirmPending = game.modalShown = true;
            game.tickEnabled = false;
            game.yesRect = {34, 191, 103, 215};
            game.noRect = {142, 191, 211, 215};
        });
    };
    pressStop();
    EXPECT_EQ(releaseStop(false), "stop button");
    SetUp();
    pressStop();
    EXPECT_EQ(releaseStop(true), "");
    // "No" at (141, 200) is one pixel left of its rectangle.
    EXPECT_EQ(Deliver({HostEventKind::PenDown, 141, 200}, 1040, [] { game.modalShown = false; }), "panel answers");

    SetUp();
    game.introRunning = true;
    pressStop();
    EXPECT_EQ(releaseStop(true), "stop button");
}

TEST(Watchdog, SpeaksOnlyWhenTheCountStandsStillPastTheLimit) {
    using namespace std::chrono_literals;
    StallJudge judge(1s);
    const StallJudge::Clock::time_point start{};
    std::uint64_t events = 0;
    for (auto t = 0ms; t <= 1500ms; t += 50ms) EXPECT_FALSE(judge.Stalled(++events, start + t)) << "events keep coming";
    EXPECT_FALSE(judge.Stalled(events, start + 2500ms)) << "still for exactly the limit";
    EXPECT_TRUE(judge.Stalled(events, start + 2501ms));
    EXPECT_FALSE(judge.Stalled(events + 1, start + 5000ms)) << "an event starts the count again";
}

TEST(Recorder, WritesARunnerScriptThatKeepsTheClockOfEveryPaint) {
    ScriptRecorder recorder;
    recorder.Start(5000);
    recorder.Record({HostEventKind::Paint}, 31);
    recorder.Record({HostEventKind::Paint}, 31);
    recorder.Record({HostEventKind::Paint}, 1);
    recorder.Record({HostEventKind::PenDown, 10, 20}, 0);
    recorder.Record({HostEventKind::PenUp, 11, 21}, 0);
    recorder.Record({HostEventKind::FocusLost}, 0);
    recorder.Record({HostEventKind::Restore}, 0);
    recorder.Record({HostEventKind::CloseRequest}, 0);
    recorder.Record({HostEventKind::Paint}, 1);
    const std::string path = ::testing::TempDir() + "soak_recorder.script";
    ASSERT_TRUE(recorder.WriteTo(path));
    std::ifstream file(path);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text,
              "# runner-args: --clock 5000\npaint 2\nstep 1\npaint\ndown 10 20\nup 11 21\nfocus-lost\nrelaunch\n"
              "close\npaint\n");
}

}  // namespace
}  // namespace soak
