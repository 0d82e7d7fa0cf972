#include "tools/pace/pace_meter.h"

#include <SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <thread>

#include "state/game_state.h"
#include "platform/platform.h"
#include "tools/pace/floor.h"

namespace {

using platform::HostEvent;
using platform::HostEventKind;

std::vector<HostEvent> Tap(int x, int y) { return {{HostEventKind::PenDown, x, y}, {HostEventKind::PenUp, x, y}}; }

// The taps that begin each stretch: the about page's "X", Start, "-".
const std::vector<HostEvent> kStretchMoves[3] = {Tap(200, 230), Tap(100, 260), Tap(194, 306)};
constexpr auto kSettle = std::chrono::milliseconds(500);
const char* const kStretchNames[3] = {"title", "play", "hidden"};
// What the floor does beside each stretch: wake 32 times a second, and draw
// while the game plays.
const char* const kFloorModes[3] = {"idle", "draw", nullptr};

}  // namespace

PaceMeter::PaceMeter(platform::Host& inner, std::function<void()> wake, std::chrono::milliseconds stretch,
                     std::string floorCommand)
    : inner_(inner), wake_(std::move(wake)), stretchLength_(stretch), floorCommand_(std::move(floorCommand)) {}

HostEvent PaceMeter::WaitForEvent(bool paintable) {
    if (const auto move = NextMove()) {
        if (moves_.empty()) wake_();  // input earns a paint, as the host's own does
        return *move;
    }
    // The taps have been handled, a panel's slide included: the screen is still.
    if (starting_) StartStretch();
    const HostEvent event = inner_.WaitForEvent(paintable);
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
    if (starting_) return std::nullopt;
    const bool stretchOver = stage_ == 0 || Clock::now() - stretchStart_ >= stretchLength_;
    if (!stretchOver) return std::nullopt;
    if (stage_ >= 3) return std::nullopt;  // hidden: the stretch ends with the program
    if (stage_ > 0 && !settling_) {
        // The floor's window has just closed and the window manager hands
        // the focus around: let that pass before the next taps.
        EndStretch();
        settling_ = true;
        stretchStart_ = Clock::now() - stretchLength_ + kSettle;
        std::thread([wake = wake_] {
            std::this_thread::sleep_for(kSettle);
            wake();
        }).detach();
        return std::nullopt;
    }
    settling_ = false;
    moves_ = kStretchMoves[stage_];
    current_ = PaceReport{};
    current_.stretch = kStretchNames[stage_];
    starting_ = true;
    ++stage_;
    if (stage_ == 3) {
        // Hidden, the loop sleeps until something happens: the end of the
        // stretch is that something, and the program's end.
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

void PaceMeter::StartStretch() {
    starting_ = false;
    current_.shortestGapMs = 1e9;
    current_.newFrames = 0;  // the taps' own slides are not the stretch's
    if (const char* mode = kFloorModes[stage_ - 1]) {
        const std::string command = floorCommand_ + " " + mode;
        floor_ = popen(command.c_str(), "r");
    }
    lastTickTime_ = game.lastTickTime;
    stretchStart_ = Clock::now();
    if (stage_ < 3) {
        // A still screen sleeps until something happens: the stretch's end
        // wakes it.
        std::thread([wake = wake_, length = stretchLength_] {
            std::this_thread::sleep_for(length);
            wake();
        }).detach();
    }
    const ThreadUse use = MeasureUse();
    cpuAtStart_ = use.cpuSeconds;
    switchesAtStart_ = use.wakeUps;
}

void PaceMeter::EndStretch() {
    current_.seconds = std::chrono::duration<double>(Clock::now() - stretchStart_).count();
    const ThreadUse use = MeasureUse();
    current_.cpuShare = (use.cpuSeconds - cpuAtStart_) / current_.seconds;
    current_.wakeUps = static_cast<int>(use.wakeUps - switchesAtStart_);
    if (current_.ticks < 2) current_.shortestGapMs = 0;
    if (floor_ != nullptr) {
        if (std::fscanf(floor_, "%lf %lf", &current_.floorCpuShare, &current_.floorWakeUpsPerSecond) != 2) {
            current_.floorCpuShare = -1;
        }
        pclose(floor_);
        floor_ = nullptr;
    }
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
        if (gap == 31 || gap == 32) ++current_.evenGaps;
    }
    ++current_.ticks;
}
