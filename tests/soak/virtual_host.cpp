#include "tests/soak/virtual_host.h"

#include <unistd.h>

#include <fstream>

#include "app/win_main.h"
#include "platform/platform.h"
#include "res/resources.h"
#include "state/game_state.h"
#include "tests/support/fresh_game.h"
#include "tests/support/platform_seam.h"

namespace soak {

using platform::HostEvent;
using platform::HostEventKind;

namespace {

bool IsPen(HostEventKind kind) { return kind == HostEventKind::PenDown || kind == HostEventKind::PenUp; }

}  // namespace

bool VirtualHost::RunProgram() {
    platform::ResetForTesting();
    test_support::FreshGame();
    platform::SetHost(this, platform::DisplayConfig{});
    // Copies of this run never meet a game the user is playing.
    platform::SetInstanceNamespace("soak-" + std::to_string(getpid()) + "-" + std::to_string(programs_));
    ++programs_;
    startClock_ = clock_;
    recorder_.reset();
    script_.clear();
    recorder_.emplace([this](std::string_view line) { return script_ += line, true; }, clock_);
    checker_.StartProgram(game);
    static WCHAR commandLine[] = u"";
    WinMain(platform::RegisterModule(MirelinkResources()), nullptr, commandLine, SW_SHOW);
    if (!failure_) {
        if (auto failure = checker_.AfterProgramEnd()) Fail(*failure);
    }
    return !failure_;
}

void VirtualHost::Fail(Failure failure) {
    if (failure_) return;
    failure_ = std::move(failure);
    // A comment in the script, every line of it (a stuck player's report holds the board).
    recorder_->Flush();
    std::string comment = Where() + ": " + failure_->invariant + ": " + failure_->detail;
    if (comment.ends_with('\n')) comment.pop_back();
    for (std::size_t at = comment.find('\n'); at != std::string::npos; at = comment.find('\n', at + 3))
        comment.replace(at, 1, "\n# ");
    script_ += "# " + comment + "\n";
}

std::string VirtualHost::Where() const {
    return "tick " + std::to_string(checker_.Ticks()) + " (event " + std::to_string(events_.load()) + ", clock " +
           std::to_string(clock_) + ")";
}

// Called each time the program's queue runs dry, so the last event has been
// handled in full: the rules are checked first, then the driver is asked.
HostEvent VirtualHost::WaitForEvent(bool paintable) {
    if (!failure_) {
        if (auto failure = checker_.AfterEvent(game)) Fail(*failure);
    }
    // Once a rule has broken the program is closed and nothing more is checked.
    if (failure_) return {HostEventKind::Close, 0, 0};
    for (;;) {
        HostEvent event = driver_.Next(paintable);
        if (failure_) return {HostEventKind::Close, 0, 0};
        if (event.kind == HostEventKind::Paint) {
            clock_ += driver_.PaintStep();
            // A hidden window gets no paints, but the time they would have taken passes.
            if (!paintable) continue;
        } else if (IsPen(event.kind) && !paintable) {
            // Nor does it feel the pen.
            continue;
        }
        recorder_->RecordEvent(event, clock_);
        checker_.BeforeEvent(event, clock_, game, paintable);
        ++events_;
        return event;
    }
}

HostEvent Driver::Next(bool shown) {
    if (Done()) return {HostEventKind::Close, 0, 0};
    if (host_->Programs() != program_) {
        program_ = host_->Programs();
        pending_.clear();
    }
    if (pending_.empty()) Plan(shown);
    const Planned next = pending_.front();
    pending_.pop_front();
    step_ = next.step;
    return next.event;
}

bool VirtualHost::WriteScript(const std::string& path) {
    recorder_->Flush();
    std::ofstream file(path, std::ios::binary);
    return static_cast<bool>(file << script_ << std::flush);
}

int VirtualHost::ShowMessageBox(std::string_view caption, std::string_view text, std::uint32_t) {
    Fail({"program end", "message box " + std::string(caption) + ": " + std::string(text)});
    return IDOK;
}

}  // namespace soak
