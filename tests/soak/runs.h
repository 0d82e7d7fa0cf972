// What the soak and the monkey share: their common options, programs run one
// after another under a watchdog, and the reports of what broke, each with
// the command line and the runner script that reproduce it.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/soak/virtual_host.h"

namespace soak {

struct CommonOptions {
    std::vector<std::uint32_t> clocks{1000};
    std::uint64_t seed = 1;
    int watchdog = 30;
    std::string record;  // where failing runs are written as scripts; empty: nowhere
    bool keepGoing = false;
};

void AddCommonOptions(CLI::App& app, CommonOptions& options, const char* seedMeaning);

// Parses the command line, then runs from each clock (each start clock is a
// run of its own). Exit status: 0 when every run passed, 1 when one failed,
// 2 for bad options.
int ParseAndRunEachClock(CLI::App& app, int argc, char** argv, const CommonOptions& options,
                         const std::function<bool(std::uint32_t clock)>& runFrom);

// Starts programs on a host of the driver's from `clock` until the driver is
// done or a failure (any failure, with keepGoing). Each failure is printed as
// it is found with the command line that repeats it (`program`, its own
// `arguments` and the common ones), its program run written to the record
// file (numbered from the second on). A hang or a crash ends the process
// after its report. Then prints what the run did and lets `report` print the
// driver's own; true when nothing failed and `report` agrees.
bool RunFrom(Driver& driver, std::uint32_t clock, const CommonOptions& options, const char* program,
             const std::string& arguments, const std::function<bool(VirtualHost& host)>& report);

// Mixes the seed with the start clock, so that each clock plays its own game.
std::uint64_t SeedFor(std::uint64_t seed, std::uint32_t clock);

}  // namespace soak
