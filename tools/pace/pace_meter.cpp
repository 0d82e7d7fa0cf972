#include "tools/pace/pace_meter.h"

#include <SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <thread>

#include "state/game_state.h"

namespace {

using platform::HostEvent;
using platform::HostEventKind;

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::vector<HostEvent> Tap(int x, int y) { return {{HostEventKind::PenDown, x, y}, {HostEventKind::PenUp, x, y}}; }

// The taps that begin each stretch: the about page's "X", Start, "-".
const std::vector<HostEvent> kStretchMoves[3] = {Tap(200, 230), Tap(100, 260), Tap(194, 306)};
const char* const kStretchNames[3] = {"title", "play", "hidden"};

}  // namespace

PaceMeter::PaceMeter(platform::Host& inner, std::chrono::milliseconds stretch)
    : inner_(inner), stretchLength_(stretch) {}

HostEvent PaceMeter::WaitForEvent(bool paintable) {
    if (const auto move = NextMove()) return *move;
    const HostEvent event = inner_.WaitForEvent(paintable);
    ++current_.wakeUps;
    NoteTick();
    // The hidden stretch ends with the program.
    if (event.kind == HostEventKind::Close && stage_ == 3) {
        EndStretch();
        ++stage_;
    }
    return event;
}

std::optional<HostEvent> PaceMeter::NextMove() {
    if (!moves_.empty()) {
        const HostEvent move = moves_.front();
        moves_.erase(moves_.begin());
        return move;
    }
    const bool stretchOver = stage_ == 0 || Clock::now() - stretchStart_ >= stretchLength_;
    if (!stretchOver) return std::nullopt;
    if (stage_ >= 3) return std::nullopt;  // hidden: the stretch ends with the program
    if (stage_ > 0) EndStretch();
    moves_ = kStretchMoves[stage_];
    StartStretch(kStretchNames[stage_]);
    ++stage_;
    if (stage_ == 3) {
        // Hidden, the loop sleeps until something happens: the end of the
        // stretch is that something.
        const auto length = stretchLength_;
        std::thread([length] {
            std::this_thread::sleep_for(length);
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        }).detach();
    }
    return NextMove();
}

void PaceMeter::StartStretch(const char* name) {
    current_ = PaceReport{};
    current_.stretch = name;
    current_.shortestGapMs = 1e9;
    lastTickTime_ = game.lastTickTime;
    stretchStart_ = Clock::now();
    cpuAtStart_ = ProcessCpuSeconds();
}

void PaceMeter::EndStretch() {
    current_.seconds = std::chrono::duration<double>(Clock::now() - stretchStart_).count();
    current_.cpuShare = (ProcessCpuSeconds() - cpuAtStart_) / current_.seconds;
    if (current_.ticks < 2) current_.shortestGapMs = 0;
    reports_.push_back(current_);
}

// The gaps are the game's own: the tick count it read when it ticked.
void PaceMeter::NoteTick() {
    if (game.lastTickTime == lastTickTime_) return;
    const double gap = static_cast<double>(game.lastTickTime - lastTickTime_);
    lastTickTime_ = game.lastTickTime;
    if (current_.ticks > 0) {
        current_.shortestGapMs = std::min(current_.shortestGapMs, gap);
        current_.longestGapMs = std::max(current_.longestGapMs, gap);
    }
    ++current_.ticks;
}
