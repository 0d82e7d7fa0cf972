// mirelink-pace: measures the desktop program's loop. Needs a display (an X
// server such as Xvfb, with a window manager for the hidden stretch).
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

#include "app/win_main.h"
#include "hosts/sdl/sdl_host.h"
#include "platform/platform.h"
#include "res/resources.h"
#include "tools/pace/pace_meter.h"

extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
    CLI::App app{"Runs the game's real desktop loop and measures its pace: ticks a second, CPU share, wake-ups."};
    int seconds = 10;
    app.add_option("--seconds", seconds, "Length of each stretch (title, play, hidden)")->check(CLI::Range(1, 600));
    CLI11_PARSE(app, argc, argv);

    std::string error;
    auto host = sdlhost::SdlHost::Open(sdlhost::SdlHostOptions{}, error);
    if (host == nullptr) {
        std::fprintf(stderr, "mirelink-pace: %s\n", error.c_str());
        return 1;
    }
    PaceMeter meter(*host, std::chrono::seconds(seconds));
    platform::SetInstanceNamespace("pace-" + std::to_string(getpid()));
    platform::SetHost(&meter, platform::DisplayConfig{});
    std::u16string commandLine;
    WinMain(platform::RegisterModule(MirelinkResources()), nullptr, commandLine.data(), SW_SHOW);

    std::printf("%-7s %8s %7s %9s %9s %8s %8s\n", "stretch", "seconds", "ticks", "ticks/s", "gaps ms", "CPU", "wakeups");
    for (const PaceReport& r : meter.Reports()) {
        const double rate = r.seconds > 0 ? r.ticks / r.seconds : 0;
        std::printf("%-7s %8.1f %7d %9.2f %4.0f-%-4.0f %7.1f%% %8d\n", r.stretch.c_str(), r.seconds, r.ticks, rate,
                    r.shortestGapMs, r.longestGapMs, 100 * r.cpuShare, r.wakeUps);
    }
    host.reset();
    SDL_Quit();
    return 0;
}
