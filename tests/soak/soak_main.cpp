// mirelink-soak: the game played level after level by a player that never
// tires, on a virtual clock, with the game's rules checked after every event.
//
// Exit codes: 0 every rule held; 1 a rule broke or the player got stuck (the
// message names the tick and the rule); 2 bad options; 3 the program hung.
#include <cstdio>
#include <string>

#include "tests/soak/player.h"
#include "tests/soak/runs.h"

namespace {

constexpr const char* kProgram = "mirelink-soak";
// Ticks after which a level not won counts as a stuck player.
constexpr std::uint64_t kStuckTicks = 20000;

struct Options {
    std::uint64_t levels = 10;
    std::uint64_t ticks = 10000;
    std::string recordRun;  // where the whole run is written as a runner script
    soak::CommonOptions common;
};

// The player at the controls until the run has its levels and its ticks.
class SoakDriver final : public soak::Driver {
public:
    SoakDriver(const Options& options, std::uint32_t clock)
        : options_(options), player_(soak::SeedFor(options.common.seed, clock)) {}

    bool Done() const override {
        const soak::Checker& rules = host_->Rules();
        return rules.LevelsWon() >= options_.levels && rules.Ticks() >= options_.ticks;
    }

private:
    void Plan(bool shown) override {
        const soak::Checker& rules = host_->Rules();
        if (rules.LevelsWon() != levelsSeen_) {
            levelsSeen_ = rules.LevelsWon();
            levelStartTick_ = rules.Ticks();
        }
        if (rules.Ticks() - levelStartTick_ > kStuckTicks) {
            host_->Fail({"player", "level " + std::to_string(game.level) + " not won after " +
                                       std::to_string(rules.Ticks() - levelStartTick_) + " ticks; the board:\n" +
                                       soak::BoardPicture(game)});
        }
        // The player never hides the window.
        if (!shown) host_->Fail({"player", "the window is hidden"});
        Push(player_.Next(game));
    }

    const Options& options_;
    soak::Player player_;
    std::uint64_t levelsSeen_ = 0;
    std::uint64_t levelStartTick_ = 0;
};

bool SoakFrom(const Options& options, std::uint32_t clock) {
    SoakDriver driver(options, clock);
    const std::string arguments =
        "--levels " + std::to_string(options.levels) + " --ticks " + std::to_string(options.ticks);
    return soak::RunFrom(driver, clock, options.common, kProgram, arguments, [&](soak::VirtualHost& host) {
        if (options.recordRun.empty() || host.WriteScript(options.recordRun)) return true;
        std::fprintf(stderr, "%s: cannot write %s\n", kProgram, options.recordRun.c_str());
        return false;
    });
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Plays Mirelink level after level through pen taps, on a virtual clock, checking the game's rules "
        "after every event.",
        kProgram};
    Options options;
    app.add_option("--levels", options.levels, "Levels to win at least")->capture_default_str();
    app.add_option("--ticks", options.ticks, "Game ticks to run at least")->capture_default_str();
    app.add_option("--record-run", options.recordRun,
                   "Write the last program's run (of the last clock), passed or not, here as a mirelink-headless "
                   "script: a play that wins levels, for the golden traces");
    soak::AddCommonOptions(app, options.common, "The player's own random choices");
    return soak::ParseAndRunEachClock(app, argc, argv, options.common,
                                      [&](std::uint32_t clock) { return SoakFrom(options, clock); });
}
