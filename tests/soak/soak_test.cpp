// The rules must catch a broken game, and the watchdog a stall.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>

#include "board/path.h"
#include "tests/soak/checker.h"
#include "tests/soak/runs.h"
#include "tests/support/fresh_game.h"

namespace soak {
namespace {

using platform::HostEvent;
using platform::HostEventKind;

// The homes and stones as a level starts, or lit as a won level leaves them.
void SetCorners(bool lit) {
    game.kinds[kHeroHome] = RightDown + (lit ? kLitOffset : 0);
    game.kinds[kHeroineHome] = LeftUp + (lit ? kLitOffset : 0);
    game.kinds[kTopRightStone] = game.kinds[kBottomLeftStone] = lit ? Bog : CornerStone;
}

// A game in the middle of play; each case lets one event through and makes
// the game answer it rightly or wrongly.
class Rules : public ::testing::Test {
protected:
    void SetUp() override {
        // A fresh game on random blocks, a tenth of them bog.
        test_support::FreshGame();
        std::mt19937 random(3);
        for (std::int32_t& kind : game.kinds) kind = random() % 10 == 0 ? 0 : static_cast<int>(1 + random() % 6);
        SetCorners(false);
        game.gamePlaying = game.tickEnabled = true;
        game.bankedScore = 100;
        game.score = 104;
        checker = {};
        checker.StartProgram(game);
        ASSERT_EQ(Deliver({HostEventKind::Paint}, 1031, [] { game.lastTickTime = 1031; }), "");
    }

    // The invariant broken, or "" when the rules held.
    std::string Deliver(HostEvent event, std::uint32_t clock, const std::function<void()>& gameDoes) {
        checker.BeforeEvent(event, clock, game, true);
        gameDoes();
        const auto failure = checker.AfterEvent(game);
        return failure ? failure->invariant : "";
    }

    Checker checker;
};

void AskStop() {
    game.stopConfirmPending = game.modalShown = true;
    game.tickEnabled = false;
    game.yesRect = kDialogYesRect;
    game.noRect = kDialogNoRect;
}

void ShowLevelPanel() { game.yesRect = game.noRect = kNextLevelOkRect; }

TEST_F(Rules, HoldForAGameThatKeepsThemAndCatchEachBreach) {
    // Events before the one under test, delivered with the game keeping the rules.
    const auto pressCell = [this] {
        Deliver({HostEventKind::PenDown, 70, 90}, 1031, [] {
            game.cellPressed = true;
            game.pressedCell = {4, 3};
        });
    };
    const auto pressStop = [this] {
        Deliver({HostEventKind::PenDown, 100, 260}, 1040, [] { game.startStopHeld = true; });
    };
    // A tap on cell (3,4) released with a score, its block turning or not.
    const auto release = [](int extra, bool turns) {
        return [extra, turns] {
            game.cellPressed = false;
            game.cells[CellIndex(3, 4)].turning = turns;
            game.score = game.bankedScore + CountConnected() + extra;
        };
    };
    const auto releaseStop = [](bool asks) {
        return [asks] {
            game.startStopHeld = false;
            if (asks) AskStop();
        };
    };
    const HostEvent paint{HostEventKind::Paint};
    const HostEvent cellUp{HostEventKind::PenUp, 70, 90};
    const HostEvent stopUp{HostEventKind::PenUp, 100, 260};
    const HostEvent okUp{HostEventKind::PenUp, 195, 209};
    struct Case {
        const char* invariant;
        std::function<void()> before;
        HostEvent event;
        std::uint32_t clock;
        std::function<void()> gameDoes;
    };
    const Case cases[] = {
        {"", [] {}, paint, 1062, [] { game.lastTickTime = 1062; }},
        {"", pressCell, cellUp, 1031, release(0, true)},
        {"score after a tap", pressCell, cellUp, 1031, release(1, true)},
        {"tapped block turns", pressCell, cellUp, 1031, release(0, false)},
        {"board values", [] {}, paint, 1040, [] { game.kinds[50] = 13; }},
        {"corners", [] {}, paint, 1040, [] { game.kinds[kTopRightStone] = 0; }},
        {"lit path", [] {}, paint, 1040, [] { game.bloomPhase = true; }},
        {"banked score", [] {}, paint, 1040, [] { game.bankedScore = 99; }},
        {"tick pace", [] {}, paint, 1061, [] { game.lastTickTime = 1061; }},
        {"tick due", [] {}, paint, 1062, [] {}},
        {"phase flags", [] {}, paint, 1040, [] { game.heroesWalking = true; }},
        {"pending answers", [] {}, paint, 1040, [] { game.stopConfirmPending = true; }},
        // The intro may run 150 ticks, not one more.
        {"sequences end",
         [&] {
             game.introRunning = true;
             for (std::uint32_t clock = 1062; clock <= 1031 + 31 * 150; clock += 31)
                 ASSERT_EQ(Deliver(paint, clock, [clock] { game.lastTickTime = clock; }), "");
         },
         paint, 9999, [] { game.lastTickTime = 9999; }},
        // The hearts ended while Help was held: the page came up over the
        // level panel and answers where "OK" is.
        {"panel rectangles", [] { game.helpHeld = true; }, {HostEventKind::PenUp, 30, 250}, 1040,
         [] {
             game.helpHeld = game.tickEnabled = false;
             game.modalShown = game.helpPagesShown = true;
             ShowLevelPanel();
         }},
        {"program end", [] {}, {HostEventKind::CloseRequest}, 1040, [] {}},
        {"start button",
         [] {
             game.gamePlaying = game.tickEnabled = false;
             game.startStopHeld = true;
         },
         stopUp, 1040, [] { game.startStopHeld = false; }},
        {"", pressStop, stopUp, 1040, releaseStop(true)},
        {"stop button", pressStop, stopUp, 1040, releaseStop(false)},
        {"stop button", [&] { game.introRunning = true, pressStop(); }, stopUp, 1040, releaseStop(true)},
        // "No" at (141, 200) is one pixel left of its rectangle.
        {"panel answers", [&] { pressStop(), Deliver(stopUp, 1040, releaseStop(true)); },
         {HostEventKind::PenDown, 141, 200}, 1040, [] { game.modalShown = false; }},
        // "OK" was pressed; its release must build the next level.
        {"next level", [] { SetCorners(true), game.nextLevelRequested = true; }, okUp, 1040,
         [] { SetCorners(false), game.nextLevelRequested = false; }},
        // The opening heart ends: the panel comes up, the bonus banked once.
        {"level bonus",
         [] {
             SetCorners(true);
             game.bloomPhase = game.levelCompleteRunning = true;
         },
         paint, 1062,
         [] {
             game.lastTickTime = 1062;
             game.bloomPhase = game.levelCompleteRunning = game.tickEnabled = false;
             game.modalShown = game.nextLevelRequested = true;
             ShowLevelPanel();
             game.bankedScore = game.score + 100;
         }},
    };
    for (const Case& c : cases) {
        SetUp();
        c.before();
        EXPECT_EQ(Deliver(c.event, c.clock, c.gameDoes), c.invariant) << "expected " << c.invariant;
    }
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

}  // namespace
}  // namespace soak
