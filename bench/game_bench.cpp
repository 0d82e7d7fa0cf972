// How long a tick of a busy board and a panel slide take, beside the tick
// period of 31 ms. The host's clock and sleeps are virtual: only the game's
// own work and the copies to display memory are measured.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>

#include "board/board.h"
#include "board/level_setup.h"
#include "board/path.h"
#include "gfx/control_strip.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "play/game_tick.h"
#include "res/picture_ids.h"
#include "res/resources.h"
#include "state/game_state.h"
#include "tests/support/fake_host.h"

namespace {

// The game with its real pictures on a virtual display, a level laid out.
class BenchGame {
public:
    explicit BenchGame(int level) {
        host_.Install();
        static const GameState kFreshGame{};
        game = kFreshGame;
        game.instance = platform::RegisterModule(MirelinkResources());
        game.display = new DisplayDevice(nullptr);
        game.display->CheckFormat();
        game.display->Open(nullptr);
        crt::srand(1000);
        game.level = level;
        ClearBoard();
        SetUpGameScreen();
        GenerateLevel();
        game.tickEnabled = true;
    }
    ~BenchGame() {
        delete game.display;
        game.display = nullptr;
    }
    BenchGame(const BenchGame&) = delete;
    BenchGame& operator=(const BenchGame&) = delete;

    void NextTickIsDue() { host_.AdvanceClock(31); }

private:
    test_support::FakeHost host_;
};

// Every result is read beside the period of the game tick.
void LabelWithTickPeriod(benchmark::State& state) { state.SetLabel("beside a tick period of 31000 us"); }

void BM_TickOnABusyBoard(benchmark::State& state) {
    BenchGame bench(40);
    for (auto _ : state) {
        bench.NextTickIsDue();
        GameTick();
        benchmark::ClobberMemory();
    }
    LabelWithTickPeriod(state);
}
BENCHMARK(BM_TickOnABusyBoard)->Unit(benchmark::kMicrosecond);

// A whole paint: the tick and the copy of the back buffer to the screen.
void BM_PaintOfABusyBoard(benchmark::State& state) {
    BenchGame bench(40);
    for (auto _ : state) {
        bench.NextTickIsDue();
        GameTick();
        game.display->Present();
    }
    LabelWithTickPeriod(state);
}
BENCHMARK(BM_PaintOfABusyBoard)->Unit(benchmark::kMicrosecond);

// A help page rising over the board: 234 steps, each with a present.
void BM_PanelRollIn(benchmark::State& state) {
    BenchGame bench(1);
    LoadPackedImage(game.instance, pictures::kHelpPage1, &game.panelImage);
    const ImageRef& page = game.panelImage;
    for (auto _ : state) {
        game.display->RollInPanel(5, 240, page.pixels, static_cast<int>(page.width), static_cast<int>(page.height));
    }
    LabelWithTickPeriod(state);
}
BENCHMARK(BM_PanelRollIn)->Unit(benchmark::kMicrosecond);

// The worst ticks of every part of the game. Each arranges its state once;
// the whole record is put back before every measured tick, so that every
// measured tick is that one.

// Every block of a level-40 board in the middle of its turn.
void ArrangeAllBlocksTurning() {
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            if (IsCorner(x, y) || game.kinds[CellIndex(x, y)] == Bog) continue;
            Cell& cell = game.cells[CellIndex(x, y)];
            cell.turning = true;
            cell.turnFrame = 2;
            cell.turnTicks = 1;
        }
    }
}

// Both stones awake and both faces popping out (each decodes its packed
// picture on every tick it shows), a pair of balls in flight from every
// creature of a level-40 board, and a stone's ball from each corner.
void ArrangeStonesFacesAndBalls() {
    for (int i = 0; i < kCellCount; ++i) {
        Cell& cell = game.cells[i];
        if (game.kinds[i] != Bog) continue;
        cell.frame = 3;
        cell.rolling = true;
        cell.originX = i / kBoardSize;
        cell.originY = i % kBoardSize;
        cell.ball1X = 11 - cell.originX;
        cell.ball1Y = 5;
        cell.ball2X = 6;
        cell.ball2Y = 11 - cell.originY;
    }
    for (const int stoneCell : {CellIndex(11, 0), CellIndex(0, 11)}) {
        Cell& stone = game.cells[stoneCell];
        stone.rolling = true;
        stone.originX = stoneCell / kBoardSize;
        stone.originY = stoneCell % kBoardSize;
        stone.ball1X = 5;
        stone.ball1Y = 6;
    }
    game.stoneTimer = 100;
    for (int side = 0; side < 2; ++side) {
        game.stoneActive[side] = true;
        game.stoneRestart[side] = false;
        game.stoneFrame[side] = 5;
        game.portraitCountdown[side] = 0;
        game.portraitGrowFrame[side] = 4;
        game.portraitShrinking[side] = true;
        game.portraitShrinkFrame[side] = 2;
    }
}

// The spell decodes the title and the sorceress on every tick.
void ArrangeSpell() { game.introRunning = true; }

// The colour shift walks all 57600 pixels of its copy and draws it whole.
void ArrangeColourShift() {
    game.introRunning = true;
    game.introSpellArmed = false;
    game.introShiftRunning = true;
    game.introShiftStep = 5;
}

// A path from home to home along the top row and down the far column, won:
// every other cell blooms, each flower open and waiting.
void ArrangeFullMeadow() {
    for (int i = 0; i < kCellCount; ++i) game.kinds[i] = Horizontal;
    for (int y = 1; y < kFarCell; ++y) game.kinds[CellIndex(kFarCell - 1, y)] = Vertical;
    game.kinds[CellIndex(0, 0)] = RightDown;
    game.kinds[CellIndex(kFarCell - 1, 0)] = DownLeft;
    game.kinds[CellIndex(kFarCell - 1, kFarCell)] = UpRight;
    game.kinds[CellIndex(kFarCell, kFarCell)] = LeftUp;
    game.kinds[CellIndex(kFarCell, 0)] = game.kinds[CellIndex(0, kFarCell)] = CornerStone;
    for (Cell& cell : game.cells) cell = Cell{};
    IsPathComplete();
    BuildRoute();
    game.bloomStart = false;
    for (int i = 0; i < kCellCount; ++i) {
        if (game.kinds[i] != Bog) continue;
        game.cells[i].nextAnim = game.cells[i].lastAnim = Bloom;
        game.cells[i].delay = 100;
        game.cells[i].bloomImage = pictures::kPinkStarBloom + i % 5;
    }
}

// The heroes halfway along the path, over the whole meadow.
void ArrangeWalk() {
    ArrangeFullMeadow();
    game.heroesWalking = true;
}

// The opening heart's first tick decodes its fifteen masks (2.2 MB).
void ArrangeFirstHeartTick() {
    ArrangeFullMeadow();
    game.levelCompleteRunning = true;
}

// A later heart tick over the meadow, at the largest mask.
void ArrangeHeartTick() {
    ArrangeFirstHeartTick();
    LoadPackedImage(game.instance, pictures::kHeartMasks, &game.heartMasks);
    game.levelCompleteMaskPending = false;
    game.levelCompleteFrame = 14;
    game.levelCompleteCountdown = 1;
}

void BM_WorstTick(benchmark::State& state, int level, void (*arrange)()) {
    BenchGame bench(level);
    arrange();
    static GameState snapshot;
    snapshot = game;
    for (auto _ : state) {
        state.PauseTiming();
        game = snapshot;
        bench.NextTickIsDue();
        state.ResumeTiming();
        GameTick();
        benchmark::ClobberMemory();
    }
    LabelWithTickPeriod(state);
}
BENCHMARK_CAPTURE(BM_WorstTick, allBlocksTurning, 40, ArrangeAllBlocksTurning)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WorstTick, stonesFacesAndBalls, 40, ArrangeStonesFacesAndBalls)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WorstTick, introSpell, 1, ArrangeSpell)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WorstTick, introColourShift, 1, ArrangeColourShift)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WorstTick, walkOnAFullMeadow, 1, ArrangeWalk)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WorstTick, firstHeartTick, 1, ArrangeFirstHeartTick)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WorstTick, heartTick, 1, ArrangeHeartTick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
