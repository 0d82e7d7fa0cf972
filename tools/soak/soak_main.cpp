// mirelink-soak: the game played level after level by a player that never
// tires, on a virtual clock, with the game's rules checked after every event.
//
// Exit codes: 0 every rule held; 1 a rule broke or the player got stuck (the
// message names the tick and the rule); 2 bad options; 3 the program hung.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "tools/soak/player.h"
#include "tools/soak/run_options.h"
#include "tools/soak/virtual_host.h"

namespace {

constexpr const char* kProgram = "mirelink-soak";

struct Options {
    std::uint64_t levels = 10;
    std::uint64_t ticks = 10000;
    std::uint32_t step = 31;
    std::uint64_t levelTicks = 20000;
    std::string recordRun;  // where the whole run is written as a runner script
    soak::CommonOptions common;
};

// The player at the controls until the run has its levels and its ticks.
class SoakDriver final : public soak::Driver {
public:
    SoakDriver(const Options& options, std::uint32_t clock)
        : options_(options),
          player_(soak::SeedFor(options.common.seed, clock), {.longestPause = 2,
                                                       .longestHold = 1,
                                                       .stopPokes = 0.004,
                                                       .heroPokes = 0.003,
                                                       .patience = 1500,
                                                       .giveUp = 6000}) {}

    void Attach(soak::VirtualHost& host) { host_ = &host; }

    bool Done() const {
        const soak::Checker& rules = host_->Rules();
        return rules.LevelsWon() >= options_.levels && rules.Ticks() >= options_.ticks;
    }

    platform::HostEvent Next(bool shown) override {
        const soak::Checker& rules = host_->Rules();
        NoteLevels(rules);
        if (Done()) return {platform::HostEventKind::Close, 0, 0};
        // A program started afresh after a failure owes nothing to the last one.
        if (host_->Programs() != program_) {
            program_ = host_->Programs();
            pending_.clear();
            levelStartTick_ = rules.Ticks();
        }
        if (rules.Ticks() - levelStartTick_ > options_.levelTicks) {
            host_->Fail({"player", "level " + std::to_string(game.level) + " not won after " +
                                       std::to_string(rules.Ticks() - levelStartTick_) + " ticks; the board:\n" +
                                       soak::BoardPicture(game)});
        }
        if (pending_.empty()) {
            const auto events = soak::EventsOf(player_.Next(game, shown));
            pending_.assign(events.begin(), events.end());
        }
        const platform::HostEvent event = pending_.front();
        pending_.pop_front();
        return event;
    }

    std::uint32_t PaintStep() const override { return options_.step; }

    const soak::Player::Tally& Taps() const { return player_.Taps(); }
    std::uint64_t MostTicks() const { return mostTicks_; }
    std::uint64_t MostTaps() const { return mostTaps_; }
    double MeanTicks() const { return Mean(ticksToLastWin_); }
    double MeanTaps() const { return Mean(tapsToLastWin_); }

private:
    double Mean(std::uint64_t total) const {
        return levelsSeen_ == 0 ? 0 : static_cast<double>(total) / static_cast<double>(levelsSeen_);
    }

    void NoteLevels(const soak::Checker& rules) {
        if (rules.LevelsWon() == levelsSeen_) return;
        levelsSeen_ = rules.LevelsWon();
        mostTicks_ = std::max(mostTicks_, rules.Ticks() - levelStartTick_);
        ticksToLastWin_ = rules.Ticks();
        tapsToLastWin_ = player_.Taps().taps;
        mostTaps_ = std::max(mostTaps_, player_.Taps().taps - levelStartTaps_);
        levelStartTick_ = rules.Ticks();
        levelStartTaps_ = player_.Taps().taps;
    }

    const Options& options_;
    soak::Player player_;
    soak::VirtualHost* host_ = nullptr;
    std::deque<platform::HostEvent> pending_;
    std::uint64_t program_ = 0;
    std::uint64_t levelsSeen_ = 0;
    std::uint64_t levelStartTick_ = 0;
    std::uint64_t levelStartTaps_ = 0;
    std::uint64_t mostTicks_ = 0;
    std::uint64_t mostTaps_ = 0;
    std::uint64_t ticksToLastWin_ = 0;
    std::uint64_t tapsToLastWin_ = 0;
};

std::string Reproduction(const Options& options, std::uint32_t clock) {
    return std::string(kProgram) + " --levels " + std::to_string(options.levels) + " --ticks " +
           std::to_string(options.ticks) + " --clock " + std::to_string(clock) + " --step " +
           std::to_string(options.step) + " --seed " + std::to_string(options.common.seed) + " --record repro.script";
}

bool SoakFrom(const Options& options, std::uint32_t clock) {
    SoakDriver driver(options, clock);
    soak::VirtualHost host(driver, clock);
    driver.Attach(host);
    const auto started = std::chrono::steady_clock::now();
    const int failures = soak::RunPrograms(
        host, options.common.Settings(kProgram, Reproduction(options, clock)),
        [&] { return driver.Done(); });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (!options.recordRun.empty() && !host.Recorder().WriteTo(options.recordRun)) {
        std::fprintf(stderr, "%s: cannot write %s\n", kProgram, options.recordRun.c_str());
        return false;
    }
    const soak::Checker& rules = host.Rules();
    std::printf(
        "clock %u: %llu levels won (last level %d), %llu ticks, %llu taps, %llu events, %.1f s wall, "
        "%d failures\n",
        clock, static_cast<unsigned long long>(rules.LevelsWon()), game.level,
        static_cast<unsigned long long>(rules.Ticks()), static_cast<unsigned long long>(driver.Taps().taps),
        static_cast<unsigned long long>(host.EventCount()), seconds, failures);
    std::printf("  a level took %.0f ticks and %.0f taps on average, at most %llu ticks and %llu taps\n",
                driver.MeanTicks(), driver.MeanTaps(), static_cast<unsigned long long>(driver.MostTicks()),
                static_cast<unsigned long long>(driver.MostTaps()));
    const soak::Player::Tally& taps = driver.Taps();
    std::printf("  on the board: %llu turns, %llu flowers, %llu creatures, %llu other taps; %llu games given up\n",
                static_cast<unsigned long long>(taps.turns), static_cast<unsigned long long>(taps.flowers),
                static_cast<unsigned long long>(taps.creatures), static_cast<unsigned long long>(taps.random),
                static_cast<unsigned long long>(taps.gamesGivenUp));
    std::printf("  %llu checks, %llu taps on cells scored against a count of our own\n",
                static_cast<unsigned long long>(rules.Checks()), static_cast<unsigned long long>(rules.CellTaps()));
    return failures == 0;
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
    app.add_option("--step", options.step, "Clock advance before each paint, in ms")->capture_default_str();
    app.add_option("--level-ticks", options.levelTicks, "Ticks after which a level not won counts as stuck")
        ->capture_default_str();
    app.add_option("--record-run", options.recordRun,
                   "Write the last program's run (of the last clock), passed or not, here as a mirelink-headless "
                   "script: a play that wins levels, for the golden traces");
    soak::AddCommonOptions(app, options.common, "The player's own random choices");
    return soak::ParseAndRunEachClock(app, argc, argv, options.common,
                                      [&](std::uint32_t clock) { return SoakFrom(options, clock); });
}
