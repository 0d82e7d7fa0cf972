// mirelink: the game in a desktop window. The mouse is the pen, F12 saves a
// screenshot, Alt+Enter switches full screen, and --record writes the session
// as a script the headless runner replays.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/win_main.h"
#include "hosts/sdl/sdl_host.h"
#include "platform/platform.h"
#include "res/resources.h"

// In the sanitizer build: the system's display and desktop-bus libraries keep
// a few allocations to the end (some in driver modules already unloaded), which
// the leak checker would turn into a failing exit. The host's own code is
// leak-checked where it runs without those libraries.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace {

struct Options {
    int scale = 0;
    std::string recordPath;
    bool overwrite = false;
    std::string shotsDirectory = ".";
};

int RunGame(sdlhost::SdlHost& host) {
    platform::SetHost(&host, platform::DisplayConfig{});
    HINSTANCE instance = platform::RegisterModule(MirelinkResources());
    std::u16string commandLine;
    return WinMain(instance, nullptr, commandLine.data(), SW_SHOW);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Mirelink: guide the two heroes to each other across the bog."};
    app.footer("Keys:\n  Alt+Enter  full screen, and back\n  F12        save a screenshot of the game's screen (PNG)\n"
               "\nThe mouse is the pen: a click is a tap.");
    Options options;
    app.add_option("--scale", options.scale,
                   "Window pixels per screen pixel (default: the largest that fits the desktop)")
        ->check(CLI::Range(1, 64));
    auto* record = app.add_option("--record", options.recordPath,
                                  "Write the session as a script that mirelink-headless replays");
    app.add_flag("--overwrite", options.overwrite, "Let --record replace an existing file")->needs(record);
    app.add_option("--shots", options.shotsDirectory, "Where F12 screenshots go")
        ->check(CLI::ExistingDirectory);
    CLI11_PARSE(app, argc, argv);

    // Refused before a window opens; a copy that only hands over to a running
    // one never creates or touches the file.
    if (!options.recordPath.empty()) {
        const std::string problem = sdlhost::RecordingPathProblem(options.recordPath, options.overwrite);
        if (!problem.empty()) {
            std::fprintf(stderr, "mirelink: cannot record to %s: %s\n", options.recordPath.c_str(), problem.c_str());
            return 1;
        }
    }

    sdlhost::SdlHostOptions hostOptions;
    hostOptions.scale = options.scale;
    hostOptions.shotsDirectory = options.shotsDirectory;
    hostOptions.recordPath = options.recordPath;
    hostOptions.recordOverwrite = options.overwrite;
    std::string error;
    auto host = sdlhost::SdlHost::Open(hostOptions, error);
    if (host == nullptr) {
        std::fprintf(stderr, "mirelink: %s\n", error.c_str());
        return 1;
    }

    // Copies meet only on the same display; the channel lives in the user's
    // runtime directory.
    platform::SetInstanceNamespace(sdlhost::DesktopNamespace(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY")));
    const int result = RunGame(*host);
    const bool recordedWhole = host->EndRecording();
    host.reset();
    SDL_Quit();
    return result == 0 && !recordedWhole ? 1 : result;
}
