#include "tests/soak/runs.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace soak {

namespace {

constexpr std::chrono::seconds kHungAfter{30};

// "FAILED at tick ...: what", and the script that replays it.
void Report(const char* program, VirtualHost& host, const std::string& what, const std::string& record) {
    std::fprintf(stderr, "%s: %s\n", program, what.c_str());
    if (record.empty()) return;
    if (host.WriteScript(record)) {
        std::fprintf(stderr, "%s: the run is in %s; replay it with mirelink-headless --clock %u %s\n", program,
                     record.c_str(), host.ProgramStartClock(), record.c_str());
    } else {
        std::fprintf(stderr, "%s: cannot write %s\n", program, record.c_str());
    }
}

// Looks at the count five times a second on a thread of its own, which stops
// when the thread is destroyed. `onHang` runs on that thread and must end the
// process.
std::jthread StartWatchdog(const std::atomic<std::uint64_t>& events, std::function<void()> onHang) {
    return std::jthread([&events, onHang = std::move(onHang)](std::stop_token stop) {
        StallJudge judge(kHungAfter);
        std::mutex mutex;
        std::condition_variable_any wake;
        std::unique_lock lock(mutex);
        while (!judge.Stalled(events.load(), StallJudge::Clock::now())) {
            wake.wait_for(lock, stop, std::chrono::milliseconds(200), [] { return false; });
            if (stop.stop_requested()) return;
        }
        onHang();
    });
}

}  // namespace

bool StallJudge::Stalled(std::uint64_t events, Clock::time_point now) {
    if (!started_ || events != seen_) {
        started_ = true;
        seen_ = events;
        since_ = now;
        return false;
    }
    return now - since_ > limit_;
}

void AddCommonOptions(CLI::App& app, CommonOptions& options, const char* seedMeaning) {
    app.add_option("--clock", options.clocks, "Clock at start, in ms (it seeds the game); each one is a run of its own")
        ->capture_default_str();
    app.add_option("--seed", options.seed, seedMeaning)->capture_default_str();
    app.add_option("--record", options.record, "On failure, write the failing run here as a mirelink-headless script");
}

int ParseAndRunEachClock(CLI::App& app, int argc, char** argv, const CommonOptions& options,
                         const std::function<bool(std::uint32_t clock)>& runFrom) {
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : 2;
    }
    bool passed = true;
    for (std::uint32_t clock : options.clocks) passed = runFrom(clock) && passed;
    return passed ? 0 : 1;
}

bool RunFrom(Driver& driver, std::uint32_t clock, const CommonOptions& options, const char* program,
             const std::string& arguments, const std::function<bool(VirtualHost& host)>& done) {
    VirtualHost host(driver, clock);
    driver.Attach(host);
    std::printf("%s: clock %u: repeat with %s %s --clock %u --seed %llu --record repro.mls\n", program, clock, program,
                arguments.c_str(), clock, static_cast<unsigned long long>(options.seed));
    std::fflush(stdout);
    const std::jthread watchdog = StartWatchdog(host.EventCount(), [&] {
        Report(program, host, "HUNG at " + host.Where() + ": the loop has taken no event for 30 s", options.record);
        std::fflush(nullptr);
        std::_Exit(3);
    });
    while (!host.DriverDone() && host.RunProgram()) {
    }
    if (const auto& failure = host.Failed())
        Report(program, host, "FAILED at " + host.Where() + ": " + failure->invariant + ": " + failure->detail,
               options.record);
    const Checker& rules = host.Rules();
    std::printf("  %llu events, %llu ticks, %llu programs, %llu levels won (last level %d), %llu taps on cells\n",
                static_cast<unsigned long long>(host.EventCount()), static_cast<unsigned long long>(rules.Ticks()),
                static_cast<unsigned long long>(host.Programs()), static_cast<unsigned long long>(rules.LevelsWon()),
                game.level, static_cast<unsigned long long>(rules.CellTaps()));
    return done(host) && !host.Failed();
}

std::uint64_t SeedFor(std::uint64_t seed, std::uint32_t clock) {
    return seed * 0x9E3779B97F4A7C15ull ^ (std::uint64_t{clock} << 1 | 1);
}

}  // namespace soak
