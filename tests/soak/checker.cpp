#include "tests/soak/checker.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "board/path.h"
#include "play/game_flow.h"

namespace soak {

namespace {

using platform::HostEventKind;

constexpr std::uint32_t kTickGap = 31;

// Each panel's name and where its answers lie ("Yes" and "No", or the one
// answer twice), by Panel.
struct PanelPlace {
    const char* name;
    RECT yes, no;
};
constexpr PanelPlace kPanels[] = {
    {"no panel", {}, {}},
    {"about page", kAboutCloseRect, kAboutCloseRect},
    {"help page", kHelpCloseRect, kHelpCloseRect},
    {"exit question", kDialogYesRect, kDialogNoRect},
    {"stop question", kDialogYesRect, kDialogNoRect},
    {"\"Start new level\" panel", kNextLevelOkRect, kNextLevelOkRect},
};
const PanelPlace& Place(Panel panel) { return kPanels[static_cast<int>(panel)]; }

// The failure of `invariant`, its detail written as by printf.
[[gnu::format(printf, 2, 3)]] std::optional<Failure> Fail(const char* invariant, const char* format, ...) {
    char detail[256];
    va_list values;
    va_start(values, format);
    std::vsnprintf(detail, sizeof detail, format, values);
    va_end(values);
    return Failure{invariant, detail};
}

bool LitHomes(const std::array<std::int32_t, kCellCount>& kinds) { return kinds[kHeroHome] == RightDown + kLitOffset; }

}  // namespace

Checker::Seen Checker::Look(const GameState& s) {
    Seen seen{{}, s.gamePlaying, s.modalShown, s.nextLevelRequested, s.introRunning, s.bloomPhase, s.heroesWalking,
              s.levelCompleteRunning, s.levelStartRunning, s.tickEnabled, s.helpPagesShown, s.exitConfirmPending,
              s.stopConfirmPending, s.startStopHeld, s.helpHeld, s.aboutHeld, s.exitHeld, s.cellPressed, s.answerYes,
              s.pressedCell, s.yesRect, s.noRect, s.score, s.bankedScore, s.level, s.lastTickTime};
    std::copy(s.kinds, s.kinds + kCellCount, seen.kinds.begin());
    return seen;
}

// The sequences during which Stop asks nothing.
bool Checker::SequenceRunning(const Seen& s) {
    return s.introRunning || s.heroesWalking || s.levelCompleteRunning || s.levelStartRunning;
}

void Checker::StartProgram(const GameState& state) {
    before_ = Look(state);
    event_ = {};
    shownBefore_ = true;
    penDown_ = false;
    ticked_ = false;
    panel_ = Panel::About;  // the start-up taps About on the player's behalf
    sequenceTicks_ = {};
}

void Checker::BeforeEvent(const platform::HostEvent& event, std::uint32_t clock, const GameState& state, bool shown) {
    before_ = Look(state);
    event_ = event;
    clock_ = clock;
    shownBefore_ = shown;
}

std::optional<Failure> Checker::AfterEvent(const GameState& state) {
    if (EndsProgram()) return Fail("program end", "the program went on after it was told to end");
    const Seen now = Look(state);
    if (auto failure = Board(now)) return failure;
    if (auto failure = Score(now, state)) return failure;
    if (auto failure = Pace(now)) return failure;
    if (auto failure = Controls(now)) return failure;
    if (auto failure = Flags(now)) return failure;
    if (auto failure = Panels(now)) return failure;
    return std::nullopt;
}

// Closing the window ends the program, and so does the window's close button
// outside a game or over a panel, and "Yes" to the exit question.
bool Checker::EndsProgram() const {
    switch (event_.kind) {
        case HostEventKind::Close: return true;
        case HostEventKind::CloseRequest: return !before_.gamePlaying || before_.modalShown;
        case HostEventKind::PenUp:
            return before_.exitConfirmPending && before_.answerYes && !before_.modalShown &&
                   OpenedByRelease() == Panel::None;
        default: return false;
    }
}

std::optional<Failure> Checker::AfterProgramEnd() const {
    if (EndsProgram()) return std::nullopt;
    return Fail("program end", "the program ended though nothing asked it to");
}

std::optional<Failure> Checker::Board(const Seen& now) const {
    for (int cell = 0; cell < kCellCount; ++cell) {
        const std::int32_t kind = now.kinds[cell];
        if ((kind < Bog || kind > LeftUp + kLitOffset) && kind != CornerStone)
            return Fail("board values", "cell (%d,%d) holds %d", ColumnOf(cell), RowOf(cell), kind);
    }
    if (!now.gamePlaying) return std::nullopt;
    const auto& k = now.kinds;
    const bool lit = LitHomes(k);
    const bool fits =
        lit ? k[kHeroineHome] == LeftUp + kLitOffset && k[kTopRightStone] == Bog && k[kBottomLeftStone] == Bog
            : k[kHeroHome] == RightDown && k[kHeroineHome] == LeftUp && k[kTopRightStone] == CornerStone &&
                  k[kBottomLeftStone] == CornerStone;
    if (!fits)
        return Fail("corners", "(0,0) %d, (11,11) %d, (11,0) %d, (0,11) %d", k[kHeroHome], k[kHeroineHome],
                    k[kTopRightStone], k[kBottomLeftStone]);
    // The path is lit from its last turn until the next level is built.
    if (lit != (now.bloomPhase || now.nextLevelRequested))
        return Fail("lit path", lit ? "the homes are lit with no level won" : "a level is won and the path is not lit");
    return std::nullopt;
}

std::optional<Failure> Checker::Score(const Seen& now, const GameState& state) {
    if (before_.gamePlaying && now.gamePlaying && now.bankedScore < before_.bankedScore)
        return Fail("banked score", "fell from %d to %d", before_.bankedScore, now.bankedScore);
    // A tap reaches a cell when the pen leaves the screen in the cell it touched.
    if (event_.kind != HostEventKind::PenUp || !before_.cellPressed || now.cellPressed) return std::nullopt;
    const int x = event_.x & 0xFFFF;
    const int y = event_.y & 0xFFFF;
    if (!InsideBoard(x / kCellPixels, y / kCellPixels)) return std::nullopt;
    if (y / kCellPixels != before_.pressedCell.row || x / kCellPixels != before_.pressedCell.column)
        return std::nullopt;
    ++cellTaps_;
    const int cell = CellIndex(x / kCellPixels, y / kCellPixels);
    const int joined = CountConnected();  // on the game's grid, which `now` copies
    const bool counted = now.score == now.bankedScore + joined;
    // Once the path is finished a tap may also be let go untouched.
    const bool finished = before_.bloomPhase || before_.heroesWalking || before_.levelCompleteRunning;
    if (finished && now.score == before_.score && now.kinds == before_.kinds) return std::nullopt;
    if (!counted)
        return Fail("score after a tap", "tap on (%d,%d): score %d, banked %d + %d cells joined to the homes",
                    ColumnOf(cell), RowOf(cell), now.score, now.bankedScore, joined);
    const Cell& record = state.cells[cell];
    if (!finished && !IsCornerCell(cell) && IsBlock(before_.kinds[cell]) && !before_.nextLevelRequested &&
        !(record.turning && record.turnFrame == 0))
        return Fail("tapped block turns", "the block at (%d,%d) did not start a turn", ColumnOf(cell), RowOf(cell));
    return std::nullopt;
}

// Ticks run only on paints, at most one per 31 ms of the game's clock, and
// every paint that finds the tick enabled and due runs one.
std::optional<Failure> Checker::Pace(const Seen& now) {
    // The longest each sequence may run, in ticks: the intro takes 98, a heart
    // 30, the walk at most 700; the bloom lasts from the path's last turn
    // through the walk to the end of the opening heart.
    const struct {
        bool running;
        int longest;
        const char* name;
    } sequences[] = {{now.introRunning, 150, "the intro"},
                     {now.bloomPhase, 1000, "the bloom"},
                     {now.heroesWalking, 800, "the walk"},
                     {now.levelCompleteRunning || now.levelStartRunning, 60, "a heart"}};
    for (std::size_t i = 0; i < sequenceTicks_.size(); ++i) {
        if (!sequences[i].running) sequenceTicks_[i] = 0;
    }
    if (now.lastTickTime == before_.lastTickTime) {
        if (event_.kind == HostEventKind::Paint && before_.tickEnabled && shownBefore_ &&
            clock_ - before_.lastTickTime >= kTickGap)
            return Fail("tick due", "a paint %u ms after the last tick ran none", clock_ - before_.lastTickTime);
        return std::nullopt;
    }
    ++ticks_;
    if (event_.kind != HostEventKind::Paint) return Fail("tick pace", "a tick ran outside a paint");
    if (now.lastTickTime != clock_)
        return Fail("tick pace", "the tick took the time %u, the clock read %u", now.lastTickTime, clock_);
    const std::uint32_t gap = now.lastTickTime - before_.lastTickTime;
    if (ticked_ && gap < kTickGap) return Fail("tick pace", "two ticks %u ms apart", gap);
    ticked_ = true;
    for (std::size_t i = 0; i < sequenceTicks_.size(); ++i) {
        if (sequences[i].running && ++sequenceTicks_[i] > sequences[i].longest)
            return Fail("sequences end", "%s does not end", sequences[i].name);
    }
    return std::nullopt;
}

// The panel the releases of a pen-up put up last (they run Start/Stop, exit,
// Help, About in this order), or none.
Panel Checker::OpenedByRelease() const {
    Panel top = Panel::None;
    if (before_.startStopHeld && before_.gamePlaying && !SequenceRunning(before_)) top = Panel::StopQuestion;
    if (before_.exitHeld) top = Panel::ExitQuestion;
    if (before_.helpHeld) top = Panel::Help;
    if (before_.aboutHeld) top = Panel::About;
    return top;
}

std::optional<Failure> Checker::Controls(const Seen& now) {
    switch (event_.kind) {
        case HostEventKind::PenDown: penDown_ = true; return std::nullopt;
        case HostEventKind::CloseRequest:
            // During a game the window's close button asks first.
            if (!now.exitConfirmPending || !now.modalShown)
                return Fail("program end", "the close button during a game did not ask");
            return std::nullopt;
        case HostEventKind::PenUp: break;
        default: return std::nullopt;
    }
    penDown_ = false;
    if (before_.startStopHeld) {
        if (!before_.gamePlaying) {
            if (!now.gamePlaying || !now.introRunning || now.level != 1 || now.score != 0 || now.bankedScore != 0)
                return Fail("start button", "Start did not begin a game at level 1 with its intro");
        } else if (SequenceRunning(before_)) {
            if (now.stopConfirmPending && !before_.stopConfirmPending)
                return Fail("stop button", "Stop asked while a sequence ran");
        } else if (!now.stopConfirmPending || !now.modalShown || now.tickEnabled) {
            return Fail("stop button", "Stop during play did not ask");
        }
    }
    // With no panel up after the releases, the answers are carried out.
    if (before_.modalShown || OpenedByRelease() != Panel::None) return std::nullopt;
    if (before_.nextLevelRequested && (now.nextLevelRequested || now.level != before_.level + 1))
        return Fail("next level", "\"OK\" left level %d for level %d", before_.level, now.level);
    return std::nullopt;
}

std::optional<Failure> Checker::Panels(const Seen& now) {
    const int x = event_.x & 0xFFFF;
    const int y = event_.y & 0xFFFF;
    if (event_.kind == HostEventKind::PenDown && before_.modalShown) {
        const PanelPlace& answers = Place(panel_);
        const bool yes = PointIn(answers.yes, x, y);
        const bool no = PointIn(answers.no, x, y);
        if (now.modalShown == (yes || no))
            return Fail("panel answers", "a pen-down at (%d,%d) %s the %s", x, y, now.modalShown ? "left" : "closed",
                        Place(panel_).name);
        const bool question = panel_ == Panel::ExitQuestion || panel_ == Panel::StopQuestion;
        if (question && !now.modalShown && now.answerYes != yes)
            return Fail("panel answers", "a pen-down at (%d,%d) answered the %s %s", x, y, Place(panel_).name,
                        now.answerYes ? "yes" : "no");
    } else if (event_.kind == HostEventKind::PenUp) {
        if (const Panel opened = OpenedByRelease(); opened != Panel::None) panel_ = opened;
    } else if (now.modalShown && !before_.modalShown && event_.kind == HostEventKind::CloseRequest) {
        panel_ = Panel::ExitQuestion;
    } else if (now.modalShown && !before_.modalShown && event_.kind == HostEventKind::Paint) {
        // Only the end of the opening heart puts a panel up during a tick.
        panel_ = Panel::LevelComplete;
        ++levelsWon_;
        if (now.bankedScore != now.score + kLevelBonus)
            return Fail("level bonus", "banked %d for a score of %d", now.bankedScore, now.score);
    }
    if (!now.modalShown) {
        panel_ = Panel::None;
        return std::nullopt;
    }
    if (panel_ == Panel::None) return Fail("panel rectangles", "a panel is up that no event put up");
    const PanelPlace& answers = Place(panel_);
    const auto same = [](const RECT& a, const RECT& b) { return std::memcmp(&a, &b, sizeof(RECT)) == 0; };
    if (!same(now.yesRect, answers.yes) || !same(now.noRect, answers.no))
        return Fail("panel rectangles", "the %s answers at (%d,%d) and (%d,%d), not (%d,%d) and (%d,%d)",
                    answers.name, now.yesRect.left, now.yesRect.top, now.noRect.left, now.noRect.top,
                    answers.yes.left, answers.yes.top, answers.no.left, answers.no.top);
    return std::nullopt;
}

std::optional<Failure> Checker::Flags(const Seen& now) const {
    struct Rule {
        bool broken;
        const char* invariant;
        const char* what;
    };
    const bool sequence = now.introRunning || now.bloomPhase || now.heroesWalking || now.levelCompleteRunning ||
                          now.levelStartRunning || now.nextLevelRequested || now.stopConfirmPending;
    // A panel is closed at pen-down and answered at the pen-up after it.
    const bool answered = !penDown_ && !now.modalShown;
    const Rule rules[] = {
        {now.heroesWalking && !now.bloomPhase, "phase flags", "heroesWalking without bloomPhase"},
        {now.levelCompleteRunning && !now.bloomPhase, "phase flags", "levelCompleteRunning without bloomPhase"},
        {now.heroesWalking && now.levelCompleteRunning, "phase flags", "heroesWalking with levelCompleteRunning"},
        {now.introRunning && now.bloomPhase, "phase flags", "introRunning with bloomPhase"},
        {now.levelStartRunning && (now.bloomPhase || now.introRunning), "phase flags",
         "levelStartRunning during the intro or bloom"},
        {now.tickEnabled && now.modalShown, "phase flags", "tickEnabled while modalShown"},
        {now.tickEnabled && !now.gamePlaying, "phase flags", "tickEnabled with no game"},
        {sequence && !now.gamePlaying, "phase flags", "a level's sequence or question with no game"},
        {now.helpPagesShown && !now.modalShown, "phase flags", "helpPagesShown without modalShown"},
        {answered && now.nextLevelRequested, "pending answers", "nextLevelRequested without modalShown"},
        {answered && now.exitConfirmPending, "pending answers", "exitConfirmPending without modalShown"},
        {answered && now.stopConfirmPending, "pending answers", "stopConfirmPending without modalShown"},
    };
    for (const Rule& rule : rules) {
        if (rule.broken) return Fail(rule.invariant, "%s", rule.what);
    }
    return std::nullopt;
}

}  // namespace soak
