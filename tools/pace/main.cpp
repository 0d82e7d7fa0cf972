// mirelink-pace: measures the desktop program's loop. Needs a display (an X
// server such as Xvfb, with a window manager for the hidden stretch).
#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/win_main.h"
#include "hosts/sdl/sdl_host.h"
#include "platform/platform.h"
#include "res/resources.h"
#include "tools/pace/floor.h"
#include "tools/pace/pace_meter.h"

extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
    CLI::App app{"Runs the game's real desktop loop and measures its pace: ticks a second, CPU share, wake-ups."};
    int seconds = 10;
    app.add_option("--seconds", seconds, "Length of each stretch (title, play, hidden)")->check(CLI::Range(1, 600));
    std::string floor;
    app.add_option("--floor", floor, "Run only the floor program for one stretch: idle (wakes 32 times a second) "
                                     "or draw (also presents a new picture each time)")
        ->check(CLI::IsMember({"idle", "draw"}));
    CLI11_PARSE(app, argc, argv);
    if (!floor.empty()) {
        return RunFloor(floor == "draw", std::chrono::seconds(seconds)) ? 0 : 1;
    }

    std::string error;
    auto host = sdlhost::SdlHost::Open(sdlhost::SdlHostOptions{}, error);
    if (host == nullptr) {
        std::fprintf(stderr, "mirelink-pace: %s\n", error.c_str());
        return 1;
    }
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    PaceMeter meter(*host, [&host] { host->WakeLoop(); }, std::chrono::seconds(seconds),
                    "'" + self + "' --seconds " + std::to_string(seconds) + " --floor");
    platform::SetInstanceNamespace("pace-" + std::to_string(getpid()));
    platform::SetHost(&meter, platform::DisplayConfig{});
    std::u16string commandLine;
    WinMain(platform::RegisterModule(MirelinkResources()), nullptr, commandLine.data(), SW_SHOW);

    std::printf("%-7s %7s %7s %8s %9s %7s %8s %7s %9s %7s %9s %7s\n", "stretch", "seconds", "ticks", "ticks/s",
                "gaps ms", "31-32", "frames/s", "CPU", "wakeup/s", "floor", "floor w/s", "CPU/fl");
    for (const PaceReport& r : meter.Reports()) {
        const double rate = r.seconds > 0 ? r.ticks / r.seconds : 0;
        const double even = r.ticks > 1 ? 100.0 * r.evenGaps / (r.ticks - 1) : 0;
        std::printf("%-7s %7.1f %7d %8.2f %4.0f-%-4.0f %6.1f%% %8.1f %6.2f%% %9.1f", r.stretch.c_str(), r.seconds,
                    r.ticks, rate, r.shortestGapMs, r.longestGapMs, even, r.newFrames / r.seconds, 100 * r.cpuShare,
                    r.wakeUps / r.seconds);
        if (r.floorCpuShare >= 0) {
            const double ratio = r.floorCpuShare > 0 ? r.cpuShare / r.floorCpuShare : 0;
            std::printf(" %6.2f%% %9.1f %7.2f\n", 100 * r.floorCpuShare, r.floorWakeUpsPerSecond, ratio);
        } else {
            std::printf(" %7s %9s %7s\n", "-", "-", "-");
        }
    }
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(host->Window(), &width, &height);
    std::printf("the game's window: %dx%d; the floor's: 480x640\n", width, height);
    host.reset();
    SDL_Quit();
    return 0;
}
