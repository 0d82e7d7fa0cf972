// mirelink: the game in a desktop window. The mouse is the pen, F12 saves a
// screenshot, Alt+Enter switches full screen, and --record writes the session
// as a script the headless runner replays.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "app/win_main.h"
#include "hosts/sdl/sdl_host.h"
#include "platform/platform.h"
#include "res/resources.h"

// In the sanitizer build: the system's display and desktop-bus libraries keep
// a few allocations to the end (some in driver modules already unloaded), which
// the leak checker would turn into a failing exit. The host's own code is
// leak-checked by its tests, which run without those libraries.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace {

struct Options {
    int scale = 0;
    std::string recordPath;
    std::string shotsDirectory = ".";
};

// Fails early, before a window opens, when the recording could never be
// written. Opens for appending so that an existing file is not cut short yet:
// a copy that only hands over to a running one must leave it alone.
bool CanWriteRecording(const std::string& path) {
    std::ofstream probe(path, std::ios::app);
    return static_cast<bool>(probe);
}

int RunGame(sdlhost::SdlHost& host) {
    platform::SetHost(&host, platform::DisplayConfig{});
    HINSTANCE instance = platform::RegisterModule(MirelinkResources());
    std::u16string commandLine;
    return WinMain(instance, nullptr, commandLine.data(), SW_SHOW);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Mirelink: guide the two heroes to each other across the bog."};
    Options options;
    app.add_option("--scale", options.scale,
                   "Window pixels per screen pixel (default: the largest that fits the desktop)")
        ->check(CLI::Range(1, 64));
    app.add_option("--record", options.recordPath,
                   "Write the session as a script that mirelink-headless replays");
    app.add_option("--shots", options.shotsDirectory, "Where F12 screenshots go")
        ->check(CLI::ExistingDirectory);
    CLI11_PARSE(app, argc, argv);

    std::error_code ignored;
    const bool recordingExisted =
        !options.recordPath.empty() && std::filesystem::exists(options.recordPath, ignored);
    if (!options.recordPath.empty() && !CanWriteRecording(options.recordPath)) {
        std::fprintf(stderr, "mirelink: cannot write the recording %s\n",
                     options.recordPath.c_str());
        return 1;
    }

    sdlhost::SdlHostOptions hostOptions;
    hostOptions.scale = options.scale;
    hostOptions.shotsDirectory = options.shotsDirectory;
    hostOptions.recordPath = options.recordPath;
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
    const bool recorded = host->Recording();
    host.reset();
    SDL_Quit();
    if (!options.recordPath.empty() && !recorded && !recordingExisted) {
        std::filesystem::remove(options.recordPath, ignored);
    }
    return result;
}
