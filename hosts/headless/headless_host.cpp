#include "hosts/headless/headless_host.h"

#include <cstring>
#include <ostream>
#include <thread>

#include "hosts/files/replace_file.h"

namespace {

using platform::HostEvent;
using platform::HostEventKind;

// How long to leave the platform alone between looks at a running relaunch:
// long enough not to spin, short enough for the hand-over to be served at once.
constexpr std::chrono::milliseconds kRelaunchPoll{2};
constexpr std::chrono::milliseconds kCloseRepeatPause{1};

HostEvent PenEvent(HostEventKind kind, const Command& command) { return {kind, command.x, command.y}; }

}  // namespace

HeadlessHost::HeadlessHost(Script script, HeadlessSettings settings, GameState& state, StatusSource status)
    : script_(std::move(script)),
      settings_(std::move(settings)),
      state_(state),
      status_(std::move(status)),
      clock_(settings_.clock) {}

HostEvent HeadlessHost::WaitForEvent(bool paintable) {
    started_ = true;
    TraceLastEvent();
    const HostEvent event = NextEvent(paintable);
    tracedKind_ = ended_ ? HostEventKind::None : event.kind;
    tracedLine_ = pendingLine_;
    return event;
}

// The program has done all it does for the event handed out last.
void HeadlessHost::TraceLastEvent() {
    if (!settings_.trace || tracedKind_ == HostEventKind::None) return;
    const bool ticked = state_.lastTickTime != lastTickSeen_;
    lastTickSeen_ = state_.lastTickTime;
    if (tracedKind_ != HostEventKind::Paint || ticked) TracePointReached(tracedLine_);
    tracedKind_ = HostEventKind::None;
}

void HeadlessHost::TracePointReached(int line) {
    if (!settings_.trace || failed_) return;
    const TracePoint point{line, clock_, lastFrame_ ? &*lastFrame_ : nullptr};
    if (std::string difference = settings_.trace->Take(point, state_, status_()); !difference.empty())
        Fail(line, difference);
}

HostEvent HeadlessHost::NextEvent(bool paintable) {
    if (relaunch_ && RelaunchStillRunning()) return {};
    if (pendingPenUp_) return *std::exchange(pendingPenUp_, std::nullopt);
    if (auto paint = NextPaint(paintable)) return *paint;
    while (!ended_ && nextLine_ < script_.size()) {
        if (auto event = Run(script_[nextLine_++], paintable)) return *event;
        if (relaunch_) return {};
    }
    return EndOfScript();
}

std::optional<HostEvent> HeadlessHost::Run(const Command& command, bool paintable) {
    pendingLine_ = command.line;
    switch (command.kind) {
    case CommandKind::Paint: pendingPaints_ = command.amount; return NextPaint(paintable);
    case CommandKind::Step: step_ = command.amount; return std::nullopt;
    case CommandKind::Clock: clock_ = command.amount; return std::nullopt;
    case CommandKind::PenDown: return PenEvent(HostEventKind::PenDown, command);
    case CommandKind::PenUp: return PenEvent(HostEventKind::PenUp, command);
    case CommandKind::Tap:
        pendingPenUp_ = PenEvent(HostEventKind::PenUp, command);
        return PenEvent(HostEventKind::PenDown, command);
    case CommandKind::FocusLost: return HostEvent{HostEventKind::FocusLost, 0, 0};
    case CommandKind::Close: return HostEvent{HostEventKind::CloseRequest, 0, 0};
    case CommandKind::Relaunch: StartRelaunch(command); return std::nullopt;
    case CommandKind::Shot: WriteShot(command); return std::nullopt;
    case CommandKind::State: WriteState(command); return std::nullopt;
    case CommandKind::Expect: CheckExpectation(command); return std::nullopt;
    case CommandKind::Set: SetGameField(command); return std::nullopt;
    }
    return std::nullopt;
}

// A hidden window gets no paints, but the time they would have taken passes.
std::optional<HostEvent> HeadlessHost::NextPaint(bool paintable) {
    if (pendingPaints_ == 0) return std::nullopt;
    if (!paintable) {
        clock_ += static_cast<std::uint32_t>(std::uint64_t{step_} * pendingPaints_);
        pendingPaints_ = 0;
        return std::nullopt;
    }
    clock_ += step_;
    --pendingPaints_;
    return HostEvent{HostEventKind::Paint, 0, 0};
}

void HeadlessHost::StartRelaunch(const Command& command) {
    std::vector<std::string> arguments = settings_.relaunchOptions;
    arguments.insert(arguments.end(), {"--clock", std::to_string(clock_)});
    std::string error;
    relaunch_ = ChildProcess::Start(settings_.relaunchProgram, arguments, &error);
    if (!relaunch_) return Fail(command.line, "relaunch: " + error);
    relaunchLine_ = command.line;
    relaunchDeadline_ = std::chrono::steady_clock::now() + settings_.relaunchTimeout;
}

// The platform serves the second copy's hand-over between our answers, so
// while it runs we only report that nothing happened.
bool HeadlessHost::RelaunchStillRunning() {
    if (const auto outcome = relaunch_->Poll()) {
        relaunch_.reset();
        if (!outcome->Succeeded()) Fail(relaunchLine_, "relaunch: the second copy " + outcome->Describe());
        TracePointReached(relaunchLine_);  // the hand-over is served
        return false;
    }
    if (std::chrono::steady_clock::now() > relaunchDeadline_) {
        relaunch_.reset();
        Fail(relaunchLine_, "relaunch: the second copy did not end in time; it was stopped");
        return false;
    }
    std::this_thread::sleep_for(kRelaunchPoll);
    return true;
}

void HeadlessHost::WriteShot(const Command& command) {
    const RgbPicture picture = DecodeFrame(lastFrame_ ? &*lastFrame_ : nullptr);
    if (std::string error = WritePng(command.file, picture); !error.empty()) Fail(command.line, "shot: " + error);
}

void HeadlessHost::WriteState(const Command& command) {
    const std::string text = StateJson(state_, status_()).dump(2) + "\n";
    if (command.file == "-") {
        if (!(*settings_.out << text << std::flush)) Fail(command.line, "state: cannot write to standard output");
        return;
    }
    if (std::string error = ReplaceFile(command.file, text); !error.empty()) Fail(command.line, "state: " + error);
}

void HeadlessHost::CheckExpectation(const Command& command) {
    const ExpectResult result = CheckExpect(StateJson(state_, status_()), command.path, command.value);
    if (result.outcome != ExpectOutcome::Match)
        Fail(command.line, "expect " + FormatFieldPath(command.path) + ": " + result.message);
}

void HeadlessHost::SetGameField(const Command& command) {
    const std::string reason = SetField(state_, command.path, command.value, false);
    if (!reason.empty()) Fail(command.line, "set " + FormatFieldPath(command.path) + ": " + reason);
}

void HeadlessHost::Fail(int line, const std::string& message) {
    *settings_.errors << settings_.scriptName << ":" << line << ": " << message << std::endl;
    failed_ = true;
    ended_ = true;
    pendingPaints_ = 0;
    pendingPenUp_.reset();
}

void HeadlessHost::ProgramEnded() {
    if (!started_ || failed_) return;
    TraceLastEvent();
    int line = 0;
    if (pendingPaints_ > 0 || pendingPenUp_) {
        line = pendingLine_;
    } else if (!ended_ && nextLine_ < script_.size()) {
        line = script_[nextLine_].line;
    }
    if (line != 0) return Fail(line, "the program has ended; this line and the rest of the script cannot run");
    if (!settings_.trace || failed_) return;
    const std::string difference = settings_.trace->Finish(state_, status_(), lastFrame_ ? &*lastFrame_ : nullptr);
    if (!difference.empty()) Fail(pendingLine_, difference);
}

// The window is asked to close, as the player would on the device. Should the
// program linger, it is asked again, unhurriedly, until its loop ends.
HostEvent HeadlessHost::EndOfScript() {
    ended_ = true;
    if (closeSent_) std::this_thread::sleep_for(kCloseRepeatPause);
    closeSent_ = true;
    return {HostEventKind::Close, 0, 0};
}

// The platform's display memory holds at least the configured rows.
void HeadlessHost::PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig& config,
                                bool changed) {
    const bool first = !lastFrame_;
    if (first) lastFrame_.emplace();
    lastFrame_->config = config;
    if (!changed && !first) return;
    lastFrame_->memory.resize(DisplayMemoryBytes(config));
    std::memcpy(lastFrame_->memory.data(), memory, lastFrame_->memory.size());
}

int HeadlessHost::ShowMessageBox(std::string_view caption, std::string_view text, std::uint32_t) {
    *settings_.errors << caption << ": " << text << std::endl;
    return IDOK;
}
