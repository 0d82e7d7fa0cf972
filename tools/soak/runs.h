// What the soak and the monkey share: programs run one after another under a
// watchdog, and the reports of what broke, each with the command line and the
// runner script that reproduce it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "tools/soak/virtual_host.h"

namespace soak {

struct RunSettings {
    const char* program;    // names the messages
    std::string reproduce;  // the command line that runs the same again
    std::string record;     // where failing runs are written as scripts; empty: nowhere
    int watchdogSeconds;    // without an event for this long, the program has hung
    bool keepGoing;         // after a failure, go on with a fresh program
};

// Starts programs on the host until `done` or a failure (any failure, with
// keepGoing). Each failure is printed as it is found, its program run written
// to the record file (numbered from the second on). A hang or a crash ends the
// process after its report. Returns the number of failures.
int RunPrograms(VirtualHost& host, const RunSettings& settings, const std::function<bool()>& done);

// The invariants, one line.
std::string InvariantList();

// Mixes the seed with the start clock, so that each clock plays its own game.
std::uint64_t SeedFor(std::uint64_t seed, std::uint32_t clock);

}  // namespace soak
