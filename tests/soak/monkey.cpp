// mirelink-monkey: random pen events over every screen of the real program,
// biased toward the controls and the panels' answers, with pauses of every
// length, focus losses, relaunches and close requests, on a virtual clock,
// with the game's rules checked after every event; now and then the player
// takes over to push the game on to the walk and the hearts. The program is
// started afresh whenever it ends.
//
// Exit codes: 0 every rule held and every screen was reached; 1 a rule broke
// (the message names the tick and the rule) or a screen was never reached;
// 2 bad options; 3 the program hung; a crash or a sanitizer's report ends it
// with its own status.
#include <cstdio>
#include <random>
#include <string>

#include "state/game_state.h"
#include "tests/soak/player.h"
#include "tests/soak/runs.h"

namespace {

using platform::HostEventKind;
using soak::kScreenRect;

// The screens every run must reach: a monkey that stopped reaching one would
// go on passing while it tested less.
enum Screen { kTitle, kAbout, kHelp, kExitQuestion, kStopQuestion, kLevelPanel, kIntro, kPlay, kBloom, kWalk,
              kHearts, kHidden, kScreenCount };
constexpr const char* kScreenNames[kScreenCount] = {"title", "about page", "help pages", "exit question",
                                                    "stop question", "level panel", "intro", "play",
                                                    "bloom", "walk", "hearts", "hidden"};

Screen ScreenOf(const GameState& s, bool shown) {
    if (!shown) return kHidden;
    if (s.modalShown) {
        if (s.exitConfirmPending) return kExitQuestion;
        if (s.stopConfirmPending) return kStopQuestion;
        if (s.helpPagesShown) return kHelp;
        return s.nextLevelRequested ? kLevelPanel : kAbout;
    }
    if (s.introRunning) return kIntro;
    if (s.heroesWalking) return kWalk;
    if (s.levelCompleteRunning || s.levelStartRunning) return kHearts;
    if (s.bloomPhase) return kBloom;
    return s.gamePlaying ? kPlay : kTitle;
}

// Clock steps between paints: mostly the game's pace, some far quicker
// (a display that paints every millisecond), some far slower (a stall).
constexpr std::uint32_t kSteps[] = {31, 31, 31, 31, 31, 32, 1, 16, 30, 45, 100, 1000, 60000};

class Monkey final : public soak::Driver {
public:
    // Ends the program once `events` events have been delivered in all.
    Monkey(std::uint64_t seed, std::uint64_t events) : random_(seed), player_(seed + 1), target_(events) {}
    bool Done() const override { return host_->EventCount() >= target_; }
    std::string Unreached() const {
        std::string names;
        for (int screen = 0; screen < kScreenCount; ++screen) {
            if (!reached_[screen]) names += std::string(names.empty() ? "" : ", ") + kScreenNames[screen];
        }
        return names;
    }

private:
    void Push(HostEventKind kind, int x = 0, int y = 0) { Driver::Push({kind, x, y}); }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }

    void Paints(int count) {
        const std::uint32_t step = kSteps[Below(std::size(kSteps))];
        for (int i = 0; i < count; ++i) Driver::Push({HostEventKind::Paint, 0, 0}, step);
    }

    // Mostly a clean tap; sometimes the pen rests a while, slides off before it
    // lifts, or the window loses the focus with the pen still down.
    void Tap(int x, int y) {
        Push(HostEventKind::PenDown, x, y);
        if (Chance(0.25)) Paints(1 + Below(40));
        if (Chance(0.01)) {
            Push(HostEventKind::FocusLost);
            return;
        }
        if (Chance(0.1)) {
            x = std::max(0, x + Below(51) - 25);
            y = std::max(0, y + Below(51) - 25);
        }
        Push(HostEventKind::PenUp, x, y);
    }

    // Anywhere in the rectangle, its left and top edges included; now and then
    // just outside its right or bottom edge, which is not its own.
    void TapInside(const RECT& r) {
        if (Chance(0.05)) return Tap(Chance(0.5) ? r.right : r.left, Chance(0.5) ? r.bottom : r.top);
        Tap(r.left + Below(r.right - r.left), r.top + Below(r.bottom - r.top));
    }

    void Plan(bool shown) override {
        reached_[ScreenOf(game, shown)] = true;
        if (episode_ > 0) {
            // The player hands back at the level panel, which is the monkey's to play with.
            if (!shown || !game.gamePlaying || (game.modalShown && game.nextLevelRequested)) {
                episode_ = 0;
            } else {
                --episode_;
                return Driver::Push(player_.Next(game));
            }
        }
        if (!shown) return PlanHidden();
        if (game.modalShown) return PlanPanel();
        PlanOpen();
    }

    void PlanHidden() {
        const int roll = Below(100);
        if (roll < 55) return Paints(1 + Below(200));
        if (roll < 90) return Push(HostEventKind::Restore);
        if (roll < 95) return Push(HostEventKind::CloseRequest);
        TapInside(kScreenRect);  // a hidden window feels no pen
    }

    void PlanPanel() {
        const int roll = Below(100);
        if (roll < 55) {
            if (game.exitConfirmPending) return TapInside(Chance(0.04) ? kDialogYesRect : kDialogNoRect);
            if (game.stopConfirmPending) return TapInside(Chance(0.35) ? kDialogYesRect : kDialogNoRect);
            if (game.nextLevelRequested) return TapInside(kNextLevelOkRect);
            if (game.helpPagesShown) {
                const int page = Below(3);
                return TapInside(page == 0 ? kHelpCloseRect : page == 1 ? kNextPageRect : kPrevPageRect);
            }
            return TapInside(kAboutCloseRect);
        }
        if (roll < 75) return TapInside(kScreenRect);
        if (roll < 90) return Paints(1 + Below(60));
        if (roll < 94) return Push(HostEventKind::FocusLost);
        if (roll < 97) return Push(HostEventKind::Restore);
        Push(HostEventKind::CloseRequest);
    }

    void PlanOpen() {
        const int roll = Below(1000);
        if (roll < 280) {
            const int length = Below(10);
            return Paints(length < 6 ? 1 + Below(5) : length < 9 ? 5 + Below(56) : 60 + Below(540));
        }
        if (roll < 500) {
            const RECT* controls[] = {&kStartStopRect, &kStartStopRect, &kStartStopRect, &kHelpRect, &kHelpRect,
                                      &kAboutRect,     &kAboutRect,     &kExitRect,      &kExitRect, &kMinimiseRect};
            return TapInside(*controls[Below(std::size(controls))]);
        }
        if (roll < 750) return TapInside(kBoardRect);
        if (roll < 830) return TapInside(kScreenRect);
        if (roll < 880) {
            if (game.gamePlaying) episode_ = 200 + Below(2800);
            return Paints(1);
        }
        if (roll < 920) {
            // A drag: the pen lands in one place and lifts in another.
            Push(HostEventKind::PenDown, Below(240), Below(320));
            if (Chance(0.5)) Paints(1 + Below(10));
            return Push(HostEventKind::PenUp, Below(240), Below(320));
        }
        if (roll < 940) return Tap(Below(65536), Chance(0.5) ? Below(320) : Below(65536));
        if (roll < 960) return Push(HostEventKind::FocusLost);
        if (roll < 975) return Push(HostEventKind::CloseRequest);
        if (roll < 990) return Push(HostEventKind::Restore);
        Push(Chance(0.5) ? HostEventKind::PenDown : HostEventKind::PenUp, Below(240), Below(320));
    }

    std::mt19937_64 random_;
    soak::Player player_;
    std::uint64_t target_;
    int episode_ = 0;  // decisions left to the player
    bool reached_[kScreenCount] = {};
};

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Drives Mirelink with random pen events, pauses, focus losses and relaunches on a virtual clock, "
        "checking the game's rules after every event.",
        "mirelink-monkey"};
    std::uint64_t events = 20000;
    soak::CommonOptions common;
    app.add_option("--events", events, "Events to deliver from each clock")->capture_default_str();
    soak::AddCommonOptions(app, common, "The monkey's random choices");
    return soak::ParseAndRunEachClock(app, argc, argv, common, [&](std::uint32_t clock) {
        Monkey monkey(soak::SeedFor(common.seed, clock), events);
        return soak::RunFrom(monkey, clock, common, "mirelink-monkey", "--events " + std::to_string(events),
                             [&](soak::VirtualHost&) {
                                 const std::string unreached = monkey.Unreached();
                                 if (unreached.empty()) return true;
                                 std::fprintf(stderr, "mirelink-monkey: clock %u: never reached: %s\n", clock,
                                              unreached.c_str());
                                 return false;
                             });
    });
}
