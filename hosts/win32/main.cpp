// mirelink.exe: the game in a Win32 window. The mouse is the pen, F12 saves a
// screenshot, Alt+Enter switches full screen, and --record writes the session
// as a script the headless runner replays on Windows or Linux.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/win_main.h"
#include "hosts/win32/win32_host.h"
#include "platform/platform.h"
#include "res/resources.h"

int main(int argc, char** argv) {
    CLI::App app{"Mirelink: guide the two heroes to each other across the bog."};
    // A path such as /tmp/x from Wine, or D:/shots, is a value, never an option.
    app.allow_windows_style_options(false);
    app.footer("Keys:\n  Alt+Enter  full screen, and back\n  F12        save a screenshot of the game's screen (PNG)\n"
               "\nThe mouse is the pen: a click is a tap.");
    int scale = 0;
    std::string recordPath;
    bool overwrite = false;
    std::string shots = ".";
    app.add_option("--scale", scale, "Window pixels per screen pixel (default: the largest that fits)")
        ->check(CLI::Range(1, 64));
    auto* record = app.add_option("--record", recordPath,
                                  "Write the session as a script that mirelink-headless replays");
    app.add_flag("--overwrite", overwrite, "Let --record replace an existing file")->needs(record);
    app.add_option("--shots", shots, "Where F12 screenshots go")->check(CLI::ExistingDirectory);
    CLI11_PARSE(app, argc, argv);
    std::error_code error;
    if (!recordPath.empty() && !overwrite && std::filesystem::exists(recordPath, error)) {
        std::fprintf(stderr, "mirelink: cannot record to %s: it exists (--overwrite replaces it)\n",
                     recordPath.c_str());
        return 1;
    }

    win32host::Win32HostOptions options;
    options.scale = scale;
    options.shotsDirectory = shots;
    options.recordPath = recordPath;
    options.handOver = [] { return platform::HandOverWaitable(); };
    std::string problem;
    auto host = win32host::Win32Host::Open(options, problem);
    if (host == nullptr) {
        std::fprintf(stderr, "mirelink: %s\n", problem.c_str());
        return 1;
    }
    platform::SetHost(host.get(), platform::DisplayConfig{});
    HINSTANCE instance = platform::RegisterModule(MirelinkResources());
    std::u16string commandLine;
    const int result = WinMain(instance, nullptr, commandLine.data(), SW_SHOW);
    const bool recordedWhole = host->EndRecording();
    return result == 0 && !recordedWhole ? 1 : result;
}
