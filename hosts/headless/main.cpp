// mirelink-headless [options] SCRIPT: the game, started exactly as on the
// device, on a virtual clock, with a script in place of the player.
//
// Exit codes: 0 the script ran and every check held (or the game refused the
// display and ended, as it does on the device); 1 a check, a relaunch or the
// script itself failed, the program ended before the script did, or the play
// left its golden trace; 2 bad options, an unreadable script or a trace that
// cannot be opened; 3 a relaunched copy that found no running game to hand
// over to.
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <variant>

#include <CLI/CLI.hpp>

#include "app/win_main.h"
#include "hosts/headless/display_option.h"
#include "hosts/headless/headless_host.h"
#include "hosts/headless/own_process.h"
#include "hosts/headless/script.h"
#include "hosts/headless/trace.h"
#include "platform/platform.h"
#include "res/resources.h"
#include "state/game_state.h"

namespace {

constexpr int kExitScriptFailed = 1;
constexpr int kExitBadUsage = 2;
constexpr int kExitNoHandOver = 3;

struct Options {
    std::uint32_t clock = 1000;
    std::string display = "240x320:565:16";
    bool rotated = false;
    std::string instanceNamespace;
    bool insistOnHandOver = false;  // a relaunched copy: it must find the first one
    std::string scriptPath;
    std::string tracePath;       // the golden trace to write
    std::string checkTracePath;  // the golden trace to play against
    platform::DisplayConfig screen;
};

// Copies started by different runs never find one another.
std::string FreshNamespace() {
    std::ostringstream name;
    name << "headless-" << own_process::Number() << "-" << std::hex << std::random_device{}();
    return name.str();
}

// Nothing when the run is to go on, else the exit code.
std::optional<int> ParseCommandLine(int argc, char** argv, Options& options) {
    CLI::App app{"Runs Mirelink on a virtual clock, driven by a script.", "mirelink-headless"};
    // A script path such as /tmp/a.mls is a path on every system, never an option.
    app.allow_windows_style_options(false);
    app.add_option("--clock", options.clock, "The clock at start, in milliseconds")->capture_default_str();
    app.add_option("--display", options.display, "The screen offered: WIDTHxHEIGHT:FORMAT:BPP, FORMAT 565, 555, 888 or hex flags")
        ->capture_default_str();
    app.add_flag("--rotated", options.rotated, "The screen starts turned a quarter turn");
    auto* trace = app.add_option("--trace", options.tracePath,
                                 "Write the play's golden trace: a line after every tick and every input");
    app.add_option("--check-trace", options.checkTracePath,
                   "Play against a golden trace; stop at the first line that differs")
        ->excludes(trace);
    app.add_option("--namespace", options.instanceNamespace)->group("");
    app.add_flag("--insist-on-hand-over", options.insistOnHandOver)->group("");
    auto* script = app.add_option("SCRIPT", options.scriptPath, "The script to run");
    try {
        app.parse(argc, argv);
        // A relaunched copy only hands over: it plays no script.
        if (options.scriptPath.empty() && !options.insistOnHandOver) throw CLI::RequiredError(script->get_name());
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : kExitBadUsage;
    }
    auto screen = ParseDisplayOption(options.display);
    if (const auto* reason = std::get_if<std::string>(&screen)) {
        std::cerr << "mirelink-headless: " << *reason << "\n";
        return kExitBadUsage;
    }
    options.screen = std::get<platform::DisplayConfig>(screen);
    options.screen.rotated = options.rotated;
    if (options.instanceNamespace.empty()) options.instanceNamespace = FreshNamespace();
    return std::nullopt;
}

std::optional<std::string> ReadScript(const std::string& path) {
    if (path.empty()) return std::string{};
    ScriptFile file = ReadScriptFile(path);
    if (file.error.empty()) return std::move(file.text);
    std::cerr << "mirelink-headless: cannot read script '" << path << "': " << file.error << "\n";
    return std::nullopt;
}

// The whole script, checked to the last line before the game starts.
std::optional<Script> LoadScript(const std::string& path, const std::string& text) {
    auto parsed = ParseScript(text);
    std::optional<ScriptError> error;
    if (auto* syntax = std::get_if<ScriptError>(&parsed)) error = *syntax;
    if (!error) error = CheckScriptFields(std::get<Script>(parsed), game);
    if (error) {
        std::cerr << path << ":" << error->line << ": " << error->message << "\n";
        return std::nullopt;
    }
    return std::get<Script>(std::move(parsed));
}

// The trace the options ask for, if any; false when it cannot be opened.
bool OpenTrace(const Options& options, std::optional<Trace>& trace) {
    if (options.tracePath.empty() && options.checkTracePath.empty()) return true;
    std::string error;
    trace = options.tracePath.empty() ? Trace::ForChecking(options.checkTracePath, &error)
                                      : Trace::ForWriting(options.tracePath, &error);
    if (!trace) std::cerr << "mirelink-headless: " << error << "\n";
    return trace.has_value();
}

HeadlessSettings SettingsFor(const Options& options) {
    HeadlessSettings settings;
    settings.scriptName = options.scriptPath;
    settings.clock = options.clock;
    settings.relaunchProgram = own_process::ProgramPath();
    settings.relaunchOptions = {"--namespace", options.instanceNamespace, "--display", options.display,
                                "--insist-on-hand-over"};
    if (options.rotated) settings.relaunchOptions.push_back("--rotated");
    settings.out = &std::cout;
    settings.errors = &std::cerr;
    return settings;
}

}  // namespace

int main(int argc, char** argv) {
    own_process::MakeOutputBinary();
    Options options;
    if (const auto exitCode = ParseCommandLine(argc, argv, options)) return *exitCode;
    const auto text = ReadScript(options.scriptPath);
    if (!text) return kExitBadUsage;
    auto script = LoadScript(options.scriptPath, *text);
    if (!script) return kExitScriptFailed;
    std::optional<Trace> trace;
    if (!OpenTrace(options, trace)) return kExitBadUsage;

    HeadlessSettings settings = SettingsFor(options);
    if (trace) settings.trace = &*trace;
    HeadlessHost host(std::move(*script), std::move(settings), game, platform::CurrentStatus);
    platform::SetHost(&host, options.screen);
    platform::SetInstanceNamespace(options.instanceNamespace);
    const HINSTANCE instance = platform::RegisterModule(MirelinkResources());
    static WCHAR commandLine[] = u"";
    const int result = WinMain(instance, nullptr, commandLine, SW_SHOW);
    host.ProgramEnded();

    if (options.insistOnHandOver && platform::CurrentStatus().windowExists) {
        std::cerr << "relaunch: the second copy found no running game and started on its own\n";
        return kExitNoHandOver;
    }
    return host.Failed() ? kExitScriptFailed : result;
}
