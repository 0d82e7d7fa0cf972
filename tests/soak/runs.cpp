#include "tests/soak/runs.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "tests/soak/watchdog.h"

// The sanitizers' runtime offers a last word before it ends the process; a
// build without them has no such function, so it is looked for, not required.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace soak {

namespace {

// The run under way, for the reports of a hang or a crash.
struct Current {
    const char* program = nullptr;
    VirtualHost* host = nullptr;
    std::string reproduce;
    std::string record;
};
Current current;

constexpr int kCrashSignals[] = {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};

// "FAILED at tick ...: what", the command that repeats it, and the script.
void Report(const std::string& what, const std::string& record) {
    std::fprintf(stderr, "%s: %s\n%s: reproduce with: %s\n", current.program, what.c_str(), current.program,
                 current.reproduce.c_str());
    if (record.empty()) return;
    if (current.host->WriteScript(record)) {
        std::fprintf(stderr, "%s: the run is in %s; replay it with mirelink-headless --clock %u %s\n", current.program,
                     record.c_str(), current.host->ProgramStartClock(), record.c_str());
    } else {
        std::fprintf(stderr, "%s: cannot write %s\n", current.program, record.c_str());
    }
}

// Best effort from a dying process.
void ReportCrash() {
    if (current.host == nullptr) return;
    Report("CRASHED at " + current.host->Where(), current.record);
    current.host = nullptr;
}

void OnCrashSignal(int signal) {
    ReportCrash();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// The n-th failure's script: the record file itself, then FILE.2, FILE.3...
std::string NumberedPath(const std::string& path, int n) {
    return path.empty() || n == 1 ? path : path + "." + std::to_string(n);
}

}  // namespace

void AddCommonOptions(CLI::App& app, CommonOptions& options, const char* seedMeaning) {
    app.add_option("--clock", options.clocks, "Clock at start, in ms (it seeds the game); each one is a run of its own")
        ->capture_default_str();
    app.add_option("--seed", options.seed, seedMeaning)->capture_default_str();
    app.add_option("--watchdog", options.watchdog, "Seconds without an event after which the program counts as hung")
        ->check(CLI::Range(1, 3600))
        ->capture_default_str();
    app.add_option("--record", options.record, "On failure, write the failing run here as a mirelink-headless script");
    app.add_flag("--keep-going", options.keepGoing, "After a failure, report it and go on with a fresh program");
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
             const std::string& arguments, const std::function<bool(VirtualHost& host)>& report) {
    VirtualHost host(driver, clock);
    driver.Attach(host);
    const auto started = std::chrono::steady_clock::now();
    current = {program, &host,
               std::string(program) + " " + arguments + " --clock " + std::to_string(clock) + " --seed " +
                   std::to_string(options.seed) + " --record repro.script",
               options.record};
    int failures = 0;
    const std::jthread watchdog = StartWatchdog(host.EventCount(), std::chrono::seconds(options.watchdog), [&] {
        Report("HUNG at " + host.Where() + ": the loop has taken no event for " + std::to_string(options.watchdog) +
                   " s",
               options.record);
        std::fflush(nullptr);
        std::_Exit(3);
    });
    for (int signal : kCrashSignals) std::signal(signal, OnCrashSignal);
    if (__sanitizer_set_death_callback != nullptr) __sanitizer_set_death_callback(ReportCrash);
    while (!host.DriverDone()) {
        if (host.RunProgram()) continue;
        const Failure& failure = *host.Failed();
        Report("FAILED at " + host.Where() + ": " + failure.invariant + ": " + failure.detail,
               NumberedPath(options.record, ++failures));
        if (!options.keepGoing) break;
        host.ForgetFailure();
    }
    current.host = nullptr;
    for (int signal : kCrashSignals) std::signal(signal, SIG_DFL);
    const Checker& rules = host.Rules();
    std::printf("clock %u: %llu events, %llu ticks, %llu programs started, %llu levels won (last level %d), %.1f s "
                "wall, %d failures\n  %llu checks, %llu taps on cells scored\n",
                clock, static_cast<unsigned long long>(host.EventCount()),
                static_cast<unsigned long long>(rules.Ticks()),
                static_cast<unsigned long long>(host.Programs()), static_cast<unsigned long long>(rules.LevelsWon()),
                game.level, std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), failures,
                static_cast<unsigned long long>(rules.Checks()), static_cast<unsigned long long>(rules.CellTaps()));
    return report(host) && failures == 0;
}

std::uint64_t SeedFor(std::uint64_t seed, std::uint32_t clock) {
    return seed * 0x9E3779B97F4A7C15ull ^ (std::uint64_t{clock} << 1 | 1);
}

}  // namespace soak
