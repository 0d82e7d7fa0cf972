// What the soak and the monkey share: their common options, and programs run
// one after another under a watchdog, a failure reported with the command
// line and the runner script that reproduce it.
#pragma once

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/soak/virtual_host.h"

namespace soak {

struct CommonOptions {
    std::vector<std::uint32_t> clocks{1000};
    std::uint64_t seed = 1;
    std::string record;  // where a failing run is written as a script; empty: nowhere
};

void AddCommonOptions(CLI::App& app, CommonOptions& options, const char* seedMeaning);

// Parses the command line, then runs from each clock (each start clock is a
// run of its own). Exit status: 0 when every run passed, 1 when one failed,
// 2 for bad options.
int ParseAndRunEachClock(CLI::App& app, int argc, char** argv, const CommonOptions& options,
                         const std::function<bool(std::uint32_t clock)>& runFrom);

// Starts programs on a host of the driver's from `clock` until the driver is
// done or a rule breaks. First prints the command line that repeats the run
// (`program`, its own `arguments` and the common ones), so that a crash is
// traced to its run too; a failure is printed and its program run written to
// the record file; a hang ends the process after its report. Then prints what
// the run did; true when nothing failed and `done` agrees.
bool RunFrom(Driver& driver, std::uint32_t clock, const CommonOptions& options, const char* program,
             const std::string& arguments, const std::function<bool(VirtualHost& host)>& done);

// The watchdog's judgement, given readings of the count of events the loop
// has taken and of a clock: the count has stood still for longer than the
// limit, and the program has hung inside the game.
class StallJudge {
public:
    using Clock = std::chrono::steady_clock;
    explicit StallJudge(Clock::duration limit) : limit_(limit) {}
    bool Stalled(std::uint64_t events, Clock::time_point now);

private:
    Clock::duration limit_;
    bool started_ = false;
    std::uint64_t seen_ = 0;
    Clock::time_point since_{};
};

// Mixes the seed with the start clock, so that each clock plays its own game.
std::uint64_t SeedFor(std::uint64_t seed, std::uint32_t clock);

}  // namespace soak
