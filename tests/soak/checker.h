// The game's rules that must hold after every event the program takes, every
// tick included: the board's values and corners, the score, the pace of the
// ticks, the phase flags, the Stop button and the panels' answers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/coredll/coredll.h"
#include "platform/host.h"
#include "state/game_state.h"
#include "tests/soak/blocks.h"

namespace soak {

struct Failure {
    std::string invariant;  // the rule broken, named in a few words
    std::string detail;
};

// Which panel is up, as the events put them up.
enum class Panel { None, About, Help, ExitQuestion, StopQuestion, LevelComplete };

class Checker {
public:
    // A new program: the start-up has opened the about page.
    void StartProgram(const GameState& state);
    // The event about to be delivered, the clock it is delivered at (a
    // paint's clock is already advanced) and whether the window is shown.
    void BeforeEvent(const platform::HostEvent& event, std::uint32_t clock, const GameState& state, bool shown);
    // Everything the event did is done.
    std::optional<Failure> AfterEvent(const GameState& state);
    // The program's loop ended after the last event.
    std::optional<Failure> AfterProgramEnd() const;

    std::uint64_t Ticks() const { return ticks_; }
    std::uint64_t CellTaps() const { return cellTaps_; }
    std::uint64_t LevelsWon() const { return levelsWon_; }

private:
    // The part of the game state the rules look at, as it was before an event.
    struct Seen {
        std::array<std::int32_t, kCellCount> kinds;
        bool gamePlaying, modalShown, nextLevelRequested, introRunning, bloomPhase, heroesWalking, levelCompleteRunning,
            levelStartRunning, tickEnabled, helpPagesShown, exitConfirmPending, stopConfirmPending, startStopHeld,
            helpHeld, aboutHeld, exitHeld, cellPressed, answerYes;
        CellPosition pressedCell;
        RECT yesRect, noRect;
        std::int32_t score, bankedScore, level;
        std::uint32_t lastTickTime;
    };
    static Seen Look(const GameState& s);
    static bool SequenceRunning(const Seen& s);

    std::optional<Failure> Board(const Seen& now) const;
    std::optional<Failure> Score(const Seen& now, const GameState& state);
    std::optional<Failure> Pace(const Seen& now);
    std::optional<Failure> Controls(const Seen& now);
    std::optional<Failure> Panels(const Seen& now);
    std::optional<Failure> Flags(const Seen& now) const;
    Panel OpenedByRelease() const;
    bool EndsProgram() const;

    Seen before_{};
    platform::HostEvent event_{};
    std::uint32_t clock_ = 0;
    bool shownBefore_ = true;
    bool penDown_ = false;  // the last pen event was a pen-down
    bool ticked_ = false;   // a tick has run in this program
    Panel panel_ = Panel::About;
    // Ticks each sequence (the intro, the bloom, the walk, a heart) has run
    // for without a break.
    std::array<int, 4> sequenceTicks_{};

    std::uint64_t ticks_ = 0;
    std::uint64_t cellTaps_ = 0;
    std::uint64_t levelsWon_ = 0;
};

}  // namespace soak
