// The options the soak and the monkey share, and their command line: each
// start clock is a run of its own, and the invariants are listed at the end.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tools/soak/runs.h"

namespace soak {

struct CommonOptions {
    std::vector<std::uint32_t> clocks{1000};
    std::uint64_t seed = 1;
    int watchdog = 30;
    std::string record;
    bool keepGoing = false;

    RunSettings Settings(const char* program, std::string reproduce) const {
        return {program, std::move(reproduce), record, watchdog, keepGoing};
    }
};

inline void AddCommonOptions(CLI::App& app, CommonOptions& options, const char* seedMeaning) {
    app.add_option("--clock", options.clocks, "Clock at start, in ms (it seeds the game); each one is a run of its own")
        ->capture_default_str();
    app.add_option("--seed", options.seed, seedMeaning)->capture_default_str();
    app.add_option("--watchdog", options.watchdog, "Seconds without an event after which the program counts as hung")
        ->check(CLI::Range(1, 3600))
        ->capture_default_str();
    app.add_option("--record", options.record, "On failure, write the failing run here as a mirelink-headless script");
    app.add_flag("--keep-going", options.keepGoing, "After a failure, report it and go on with a fresh program");
}

// Parses the command line, then runs from each clock. Exit status: 0 when
// every run passed, 1 when one failed, 2 for bad options.
inline int ParseAndRunEachClock(CLI::App& app, int argc, char** argv, const CommonOptions& options,
                                const std::function<bool(std::uint32_t clock)>& runFrom) {
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : 2;
    }
    bool passed = true;
    for (std::uint32_t clock : options.clocks) passed = runFrom(clock) && passed;
    std::printf("invariants checked after every event: %s\n", InvariantList().c_str());
    return passed ? 0 : 1;
}

}  // namespace soak
