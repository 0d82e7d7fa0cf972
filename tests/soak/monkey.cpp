#include "tests/soak/monkey.h"

namespace soak {

using platform::HostEventKind;

namespace {

// Clock steps between paints: mostly the game's pace, some far quicker
// (a display that paints every millisecond), some far slower (a stall).
constexpr std::uint32_t kSteps[] = {31, 31, 31, 31, 31, 32, 1, 16, 30, 45, 100, 1000, 60000};

}  // namespace

Monkey::Monkey(std::uint64_t seed, std::uint64_t events)
    : random_(seed), player_(seed + 1), target_(events) {}

bool Monkey::Done() const { return host_->EventCount() >= target_; }

void Monkey::Paints(int count) {
    const std::uint32_t step = kSteps[Below(std::size(kSteps))];
    for (int i = 0; i < count; ++i) Driver::Push({HostEventKind::Paint, 0, 0}, step);
}

// Mostly a clean tap; sometimes the pen rests a while, slides off before it
// lifts, or the window loses the focus with the pen still down.
void Monkey::Tap(int x, int y) {
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
void Monkey::TapInside(const RECT& r) {
    if (Chance(0.05)) return Tap(Chance(0.5) ? r.right : r.left, Chance(0.5) ? r.bottom : r.top);
    Tap(r.left + Below(r.right - r.left), r.top + Below(r.bottom - r.top));
}

void Monkey::Plan(bool shown) {
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

void Monkey::PlanHidden() {
    const int roll = Below(100);
    if (roll < 55) return Paints(1 + Below(200));
    if (roll < 90) return Push(HostEventKind::Restore);
    if (roll < 95) return Push(HostEventKind::CloseRequest);
    TapInside(kScreenRect);  // a hidden window feels no pen
}

void Monkey::PlanPanel() {
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

void Monkey::PlanOpen() {
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

}  // namespace soak
