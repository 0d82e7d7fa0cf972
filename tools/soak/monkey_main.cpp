// mirelink-monkey: random pen events over every screen of the real program,
// on a virtual clock, with the game's rules checked after every event; the
// program is started afresh whenever it ends.
//
// Exit codes: 0 every rule held and every screen was visited; 1 a rule broke
// (the message names the tick and the rule) or a screen was never reached;
// 2 bad options; 3 the program hung; a crash or a sanitizer's report ends it
// with its own status.
#include <chrono>
#include <cstdio>
#include <string>

#include "tools/soak/monkey.h"
#include "tools/soak/runs.h"

namespace {

constexpr const char* kProgram = "mirelink-monkey";
// Fewer events than this may well miss a screen.
constexpr std::uint64_t kEventsForEveryScreen = 10000;

struct Options {
    std::uint64_t events = 20000;
    soak::CommonOptions common;
};

bool MonkeyFrom(const Options& options, std::uint32_t clock) {
    soak::Monkey monkey(soak::SeedFor(options.common.seed, clock), options.events);
    soak::VirtualHost host(monkey, clock);
    monkey.Attach(host);
    const auto started = std::chrono::steady_clock::now();
    const int failures = soak::RunPrograms(host, options.common, kProgram,
                                           std::string(kProgram) + " --events " + std::to_string(options.events) +
                                               " --clock " + std::to_string(clock) + " --seed " +
                                               std::to_string(options.common.seed) + " --record repro.script");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const soak::Checker& rules = host.Rules();
    std::printf("clock %u: %llu events, %llu ticks, %llu programs started, %llu levels won, %.1f s wall, %d failures\n",
                clock, static_cast<unsigned long long>(host.EventCount()),
                static_cast<unsigned long long>(rules.Ticks()), static_cast<unsigned long long>(host.Programs()),
                static_cast<unsigned long long>(rules.LevelsWon()), seconds, failures);
    std::string unvisited;
    std::printf("  events by screen:");
    for (std::size_t i = 0; i < soak::kScreenCount; ++i) {
        const auto screen = static_cast<soak::Screen>(i);
        std::printf("%s %s %llu", i == 0 ? "" : ",", soak::ScreenName(screen),
                    static_cast<unsigned long long>(monkey.Visits()[i]));
        if (monkey.Visits()[i] == 0) unvisited += std::string(unvisited.empty() ? "" : ", ") + soak::ScreenName(screen);
    }
    std::printf("\n  %llu checks, %llu taps on cells scored against a count of our own\n",
                static_cast<unsigned long long>(rules.Checks()), static_cast<unsigned long long>(rules.CellTaps()));
    if (failures > 0) return false;
    if (!unvisited.empty() && options.events >= kEventsForEveryScreen) {
        std::fprintf(stderr, "%s: clock %u: never reached: %s\n", kProgram, clock, unvisited.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Drives Mirelink with random pen events, pauses, focus losses and relaunches on a virtual clock, "
        "checking the game's rules after every event.",
        kProgram};
    Options options;
    app.add_option("--events", options.events, "Events to deliver from each clock")->capture_default_str();
    soak::AddCommonOptions(app, options.common, "The monkey's random choices");
    return soak::ParseAndRunEachClock(app, argc, argv, options.common,
                                      [&](std::uint32_t clock) { return MonkeyFrom(options, clock); });
}
