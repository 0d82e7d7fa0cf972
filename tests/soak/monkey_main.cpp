// mirelink-monkey: random pen events over every screen of the real program,
// on a virtual clock, with the game's rules checked after every event; the
// program is started afresh whenever it ends.
//
// Exit codes: 0 every rule held; 1 a rule broke (the message names the tick
// and the rule); 2 bad options; 3 the program hung; a crash or a sanitizer's
// report ends it with its own status.
#include <string>

#include "tests/soak/monkey.h"
#include "tests/soak/runs.h"

int main(int argc, char** argv) {
    CLI::App app{
        "Drives Mirelink with random pen events, pauses, focus losses and relaunches on a virtual clock, "
        "checking the game's rules after every event.",
        "mirelink-monkey"};
    std::uint64_t events = 20000;
    soak::CommonOptions common;
    app.add_option("--events", events, "Events to deliver from each clock")->capture_default_str();
    soak::AddCommonOptions(app, common, "The monkey's random choices");
    return soak::ParseAndRunEachClock(app, argc, argv, common, [&](std::uint32_t clock) {
        soak::Monkey monkey(soak::SeedFor(common.seed, clock), events);
        return soak::RunFrom(monkey, clock, common, "mirelink-monkey", "--events " + std::to_string(events),
                             [](soak::VirtualHost&) { return true; });
    });
}
