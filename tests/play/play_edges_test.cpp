// What the long plays never reach in play: a block still turning as the path
// completes or as a ball lands on it, the stones asleep over a wide bog, a
// ball aimed off the board, a route too short to walk, and the flowers' odds
// at high levels. The program is started once, on its own pictures; each test
// clears the cells and lays the board it needs.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/win_main.h"
#include "board/board.h"
#include "play/cell_taps.h"
#include "board/random.h"
#include "play/turning_blocks.h"
#include "play/actors.h"
#include "play/balls.h"
#include "play/corner_stones.h"
#include "play/walk.h"
#include "res/resources.h"
#include "state/game_state.h"
#include "tests/support/fake_host.h"
#include "tests/support/fresh_game.h"

namespace {

class PlayEdges : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test_support::FreshGame();
        host_ = new test_support::FakeHost;
        host_->Install();
        ASSERT_TRUE(InitInstance(platform::RegisterModule(MirelinkResources()), SW_SHOW));
    }
    static void TearDownTestSuite() {
        SendMessageW(game.mainWindow, WM_CLOSE, 0, 0);
        delete host_;  // before the platform's own state goes at exit
    }
    void SetUp() override {
        for (Cell& cell : game.cells) cell = Cell{};
    }
    // The homes and the stones in their corners; bog in the first `count`
    // other cells, blocks in the rest.
    static void MakeBog(int count) {
        for (int i = kBoardSize; i < kCellCount - kBoardSize; ++i) game.kinds[i] = count-- > 0 ? Bog : Horizontal;
        for (int y = 1; y < kFarCell; ++y) KindAt(0, y) = KindAt(kFarCell, y) = count-- > 0 ? Bog : Horizontal;
        KindAt(0, 0) = RightDown;
        KindAt(kFarCell, kFarCell) = LeftUp;
        KindAt(kFarCell, 0) = KindAt(0, kFarCell) = CornerStone;
    }
    static inline test_support::FakeHost* host_ = nullptr;
};

// The homes joined along row 0 and down column 10 but for the vertical at
// (5, 0): its turn completes the path, and the blocks turning on the path at
// (2, 0) and off it at (3, 5) stop where they are.
TEST_F(PlayEdges, ABlockStillTurningWhenThePathCompletesStopsUnturned) {
    MakeBog(0);
    KindAt(10, 0) = DownLeft;
    for (int y = 1; y < kFarCell; ++y) KindAt(10, y) = Vertical;
    KindAt(10, kFarCell) = UpRight;
    KindAt(5, 0) = Vertical;
    TapCell(5, 0);
    UpdateTurningBlocks();
    TapCell(2, 0);
    TapCell(3, 5);
    for (int tick = 0; tick < 20 && !game.bloomPhase; ++tick) UpdateTurningBlocks();
    ASSERT_TRUE(game.bloomPhase);
    for (const Cell& cell : game.cells) EXPECT_FALSE(cell.turning);
    EXPECT_EQ(KindAt(2, 0), Horizontal + kLitOffset) << "lit as it lay";
    game.bloomPhase = false;
}

// A ball may land on a block while it turns: the turn stops at once (the
// bog has no turning frames), and the bog stays bog.
TEST_F(PlayEdges, ATurnWhoseBlockIsGoneStopsAtOnce) {
    MakeBog(0);
    TapCell(3, 5);
    UpdateTurningBlocks();
    KindAt(3, 5) = Bog;
    UpdateTurningBlocks();
    EXPECT_FALSE(game.cells[CellIndex(3, 5)].turning);
    EXPECT_EQ(KindAt(3, 5), Bog);
}

TEST_F(PlayEdges, TheStonesSleepWhile106CellsAreBog) {
    const std::int32_t timer = game.stoneTimer;
    ASSERT_GT(timer, 20);
    MakeBog(106);
    for (int i = 0; i < 10; ++i) UpdateCornerStones();
    EXPECT_EQ(game.stoneTimer, timer);
    MakeBog(105);
    for (int i = 0; i < 10; ++i) UpdateCornerStones();
    EXPECT_EQ(game.stoneTimer, timer - 10) << "the timer goes on from where it stood";
}

TEST_F(PlayEdges, ABallAimedOffTheBoardIsDroppedWithoutLanding) {
    MakeBog(0);
    Cell& thrower = game.cells[CellIndex(4, 4)];
    thrower.rolling = true;
    thrower.originX = thrower.originY = thrower.ball1Y = 4;
    thrower.ball1X = kBoardSize;
    UpdateBalls();
    EXPECT_FALSE(thrower.rolling || thrower.ballSetUp);
    EXPECT_EQ(KindAt(kFarCell, 4), Horizontal);
}

TEST_F(PlayEdges, ARouteTooShortToWalkEndsTheWalkAtOnce) {
    game.routeMoves = 0;
    game.heroesWalking = true;
    UpdateWalk();
    EXPECT_FALSE(game.heroesWalking);
    EXPECT_TRUE(game.levelCompleteRunning);
    game.levelCompleteRunning = false;
}

// A closing flower gives way to a wait, then to a flower with odds of one in
// 20 less half the level, never below one in 5; else to a creature.
TEST_F(PlayEdges, AClosingFlowerComesBackMoreOftenTheHigherTheLevel) {
    const struct { std::int32_t level, odds; } cases[] = {{1, 20}, {4, 18}, {29, 6}, {30, 5}, {100, 5}};
    const std::int32_t level = game.level;
    for (const auto& c : cases) {
        game.level = c.level;
        int flowers = 0;
        for (std::uint32_t seed = 1; seed <= 300; ++seed) {
            Cell& flower = game.cells[CellIndex(3, 5)];
            flower = Cell{};
            flower.active = true;
            flower.nextAnim = FlowerClose;
            flower.frame = 50;  // past its last frame: it ends now
            crt::srand(seed);
            RandomBelow(200);
            const bool comesBack = RandomBelow(c.odds) == 3;
            crt::srand(seed);
            UpdateActors();
            ASSERT_EQ(flower.nextAnim == FlowerOpen, comesBack) << "level " << c.level << " seed " << seed;
            flowers += comesBack ? 1 : 0;
        }
        EXPECT_GT(flowers, 0) << "level " << c.level;
    }
    game.level = level;
}

}  // namespace
