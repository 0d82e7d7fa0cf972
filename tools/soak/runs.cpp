#include "tools/soak/runs.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "tools/soak/watchdog.h"

// The sanitizers' runtime offers a last word before it ends the process; a
// build without them has no such function, so it is looked for, not required.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace soak {

namespace {

void WriteScript(const char* program, VirtualHost& host, const std::string& recordPath) {
    if (recordPath.empty()) return;
    if (host.Recorder().WriteTo(recordPath)) {
        std::fprintf(stderr, "%s: the failing run is in %s; replay it with mirelink-headless --clock %u %s\n", program,
                     recordPath.c_str(), host.ProgramStartClock(), recordPath.c_str());
    } else {
        std::fprintf(stderr, "%s: cannot write %s\n", program, recordPath.c_str());
    }
}

struct CrashReport {
    const char* program = nullptr;
    VirtualHost* host = nullptr;
    std::string reproduce;
    std::string recordPath;
};
CrashReport crash;

constexpr int kCrashSignals[] = {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};

// Best effort from a dying process: the run's place, then the script.
void WriteCrashReport() {
    if (crash.host == nullptr) return;
    VirtualHost& host = *crash.host;
    crash.host = nullptr;
    std::fprintf(stderr, "%s: CRASHED at %s\n%s: reproduce with: %s\n", crash.program, host.Where().c_str(),
                 crash.program, crash.reproduce.c_str());
    if (crash.recordPath.empty()) return;
    const int file = open(crash.recordPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0) return;
    host.Recorder().WriteNow(file);
    close(file);
    std::fprintf(stderr, "%s: the crashing run is in %s; replay it with mirelink-headless --clock %u %s\n",
                 crash.program, crash.recordPath.c_str(), host.ProgramStartClock(), crash.recordPath.c_str());
}

void OnCrashSignal(int signal) {
    WriteCrashReport();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void ArmCrashReport(const char* program, VirtualHost& host, const std::string& reproduce,
                    const std::string& recordPath) {
    crash = {program, &host, reproduce, recordPath};
    for (int signal : kCrashSignals) std::signal(signal, OnCrashSignal);
    if (__sanitizer_set_death_callback != nullptr) __sanitizer_set_death_callback(WriteCrashReport);
}

void DisarmCrashReport() {
    crash.host = nullptr;
    for (int signal : kCrashSignals) std::signal(signal, SIG_DFL);
}

void ReportFailure(const char* program, VirtualHost& host, const std::string& reproduce,
                   const std::string& recordPath) {
    const Failure& failure = *host.Failed();
    std::fprintf(stderr, "%s: FAILED at %s: %s: %s\n", program, host.Where().c_str(), failure.invariant.c_str(),
                 failure.detail.c_str());
    std::fprintf(stderr, "%s: reproduce with: %s\n", program, reproduce.c_str());
    WriteScript(program, host, recordPath);
}

[[noreturn]] void ReportHang(const char* program, VirtualHost& host, int seconds, const std::string& reproduce,
                             const std::string& recordPath) {
    std::fprintf(stderr, "%s: HUNG at %s: the loop has taken no event for %d s\n", program, host.Where().c_str(),
                 seconds);
    std::fprintf(stderr, "%s: reproduce with: %s\n", program, reproduce.c_str());
    WriteScript(program, host, recordPath);
    std::fflush(nullptr);
    std::_Exit(3);
}

// The n-th failure's script: the record file itself, then FILE.2, FILE.3...
std::string NumberedPath(const std::string& path, int n) {
    return path.empty() || n == 1 ? path : path + "." + std::to_string(n);
}

}  // namespace

int RunPrograms(VirtualHost& host, const RunSettings& settings, const std::function<bool()>& done) {
    int failures = 0;
    Watchdog watchdog(host.EventCount(), std::chrono::seconds(settings.watchdogSeconds), [&] {
        ReportHang(settings.program, host, settings.watchdogSeconds, settings.reproduce, settings.record);
    });
    ArmCrashReport(settings.program, host, settings.reproduce, settings.record);
    while (!done()) {
        if (host.RunProgram()) continue;
        ReportFailure(settings.program, host, settings.reproduce, NumberedPath(settings.record, ++failures));
        if (!settings.keepGoing) break;
        host.ForgetFailure();
    }
    DisarmCrashReport();
    return failures;
}

std::string InvariantList() {
    std::string list;
    for (const char* name : Checker::Invariants()) list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

std::uint64_t SeedFor(std::uint64_t seed, std::uint32_t clock) {
    return seed * 0x9E3779B97F4A7C15ull ^ (std::uint64_t{clock} << 1 | 1);
}

}  // namespace soak
