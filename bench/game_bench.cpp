// How long a tick of a busy board and a panel slide take, beside the tick
// period of 31 ms. The host's clock and sleeps are virtual: only the game's
// own work and the copies to display memory are measured.
#include <benchmark/benchmark.h>

#include "app/game_state.h"
#include "board/level_setup.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "play/game_tick.h"
#include "res/resources.h"
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
    LoadPackedImage(game.instance, 156, &game.panelImage);
    const ImageRef& page = game.panelImage;
    for (auto _ : state) {
        game.display->RollInPanel(5, 240, page.pixels, static_cast<int>(page.width), static_cast<int>(page.height));
    }
    LabelWithTickPeriod(state);
}
BENCHMARK(BM_PanelRollIn)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
