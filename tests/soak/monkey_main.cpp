// mirelink-monkey: random pen events over every screen of the real program,
// on a virtual clock, with the game's rules checked after every event; the
// program is started afresh whenever it ends.
//
// Exit codes: 0 every rule held and every screen was visited; 1 a rule broke
// (the message names the tick and the rule) or a screen was never reached;
// 2 bad options; 3 the program hung; a crash or a sanitizer's report ends it
// with its own status.
#include <cstdio>
#include <string>

#include "tests/soak/monkey.h"
#include "tests/soak/runs.h"

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
    const std::string arguments = "--events " + std::to_string(options.events);
    return soak::RunFrom(monkey, clock, options.common, kProgram, arguments, [&](soak::VirtualHost&) {
        std::string unvisited;
        std::printf("  events by screen:");
        for (std::size_t i = 0; i < soak::kScreenCount; ++i) {
            const char* screen = soak::ScreenName(static_cast<soak::Screen>(i));
            std::printf("%s %s %llu", i == 0 ? "" : ",", screen, static_cast<unsigned long long>(monkey.Visits()[i]));
            if (monkey.Visits()[i] == 0) unvisited += std::string(unvisited.empty() ? "" : ", ") + screen;
        }
        std::printf("\n");
        if (unvisited.empty() || options.events < kEventsForEveryScreen) return true;
        std::fprintf(stderr, "%s: clock %u: never reached: %s\n", kProgram, clock, unvisited.c_str());
        return false;
    });
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
