// How long a tick of a busy board and a panel slide take, beside the tick
// period of 31 ms. The host's clock and sleeps are virtual: only the game's
// own work and the copies to display memory are measured.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>

#include "board/level_setup.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "play/game_tick.h"
#include "res/resources.h"
#include "state/game_state.h"
#include "tests/support/fake_host.h"
#include "ui/control_strip.h"

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
    LoadPackedImage(game.instance, 156, &game.panelImage);
    const ImageRef& page = game.panelImage;
    for (auto _ : state) {
        game.display->RollInPanel(5, 240, page.pixels, static_cast<int>(page.width), static_cast<int>(page.height));
    }
    LabelWithTickPeriod(state);
}
BENCHMARK(BM_PanelRollIn)->Unit(benchmark::kMicrosecond);

// The busiest tick of play: both stones awake and both faces popping out
// (each decodes its packed picture on every tick it shows), and a pair of
// balls in flight from every creature of a level-40 board, plus a stone's
// ball from each corner. The state is put back before every tick, so that
// every measured tick is this one.
void SetUpBusiestPlay() {
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

void BM_TickWithStonesFacesAndBallsInFlight(benchmark::State& state) {
    BenchGame bench(40);
    SetUpBusiestPlay();
    static GameState snapshot;
    snapshot = game;
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(std::begin(snapshot.cells), std::end(snapshot.cells), game.cells);
        std::copy(std::begin(snapshot.kinds), std::end(snapshot.kinds), game.kinds);
        game.stoneTimer = snapshot.stoneTimer;
        std::copy(std::begin(snapshot.stoneFrame), std::end(snapshot.stoneFrame), game.stoneFrame);
        std::copy(std::begin(snapshot.stoneTicks), std::end(snapshot.stoneTicks), game.stoneTicks);
        std::copy(std::begin(snapshot.portraitGrowFrame), std::end(snapshot.portraitGrowFrame), game.portraitGrowFrame);
        std::copy(std::begin(snapshot.portraitShrinkFrame), std::end(snapshot.portraitShrinkFrame),
                  game.portraitShrinkFrame);
        bench.NextTickIsDue();
        state.ResumeTiming();
        GameTick();
        benchmark::ClobberMemory();
    }
    LabelWithTickPeriod(state);
}
BENCHMARK(BM_TickWithStonesFacesAndBallsInFlight)->Unit(benchmark::kMicrosecond);

// The scenes' heaviest ticks: the spell decodes the title and the sorceress
// on every tick; the colour shift walks all 57600 pixels of its copy; the
// first tick of a heart decodes its fifteen masks (2.2 MB).
void BM_TickOfASceneAt(benchmark::State& state, void (*arrange)()) {
    BenchGame bench(1);
    static GameState snapshot;
    snapshot = game;
    for (auto _ : state) {
        state.PauseTiming();
        game = snapshot;
        arrange();
        bench.NextTickIsDue();
        state.ResumeTiming();
        GameTick();
        benchmark::ClobberMemory();
    }
    LabelWithTickPeriod(state);
}

void ArrangeSpell() { game.introRunning = true; }
void ArrangeColourShift() {
    game.introRunning = true;
    game.introSpellArmed = false;
    game.introShiftRunning = true;
    game.introShiftStep = 5;
}
void ArrangeFirstHeartTick() {
    game.bloomPhase = true;
    game.levelCompleteRunning = true;
}
BENCHMARK_CAPTURE(BM_TickOfASceneAt, spell, ArrangeSpell)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TickOfASceneAt, colourShift, ArrangeColourShift)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TickOfASceneAt, firstHeartTick, ArrangeFirstHeartTick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
