// The game as the player and the checks see it, stated here on their own
// rather than taken from the game, so that a wrong rule or rectangle in the
// game shows up as a broken rule: which sides a block opens toward, how a tap
// turns it, which cells are joined to the two homes, and where the controls
// and the panels' answers lie on the screen.
#pragma once

#include <cstdint>

#include "platform/coredll/coredll.h"

namespace soak {

constexpr int kSide = 12;              // cells a side of the bog
constexpr int kCells = kSide * kSide;  // indexed x * 12 + y
constexpr int kCellPixels = 20;
constexpr int kHeroHome = 0;                // (0,0)
constexpr int kHeroineHome = kCells - 1;    // (11,11)
constexpr int kTopRightStone = 11 * kSide;  // (11,0)
constexpr int kBottomLeftStone = 11;        // (0,11)

enum Side : int { Up = 0, Right = 1, Down = 2, Left = 3 };

constexpr int Index(int x, int y) { return x * kSide + y; }
constexpr int ColumnOf(int index) { return index / kSide; }
constexpr int RowOf(int index) { return index % kSide; }
constexpr Side Opposite(Side side) { return static_cast<Side>((side + 2) % 4); }
constexpr int StepX(Side side) { return side == Right ? 1 : side == Left ? -1 : 0; }
constexpr int StepY(Side side) { return side == Down ? 1 : side == Up ? -1 : 0; }

// Kinds 1 to 6 are the blocks: two straights, four corners.
constexpr bool IsBlock(std::int32_t kind) { return kind >= 1 && kind <= 6; }
constexpr bool IsCorner(int index) {
    return index == kHeroHome || index == kHeroineHome || index == kTopRightStone || index == kBottomLeftStone;
}

// Whether a block kind opens toward `side`; nothing else opens at all.
bool Opens(std::int32_t kind, Side side);

// The block that opens toward both sides (two different sides).
std::int32_t BlockOpening(Side a, Side b);

// The kind a block has after one quarter turn.
std::int32_t TurnedOnce(std::int32_t kind);

// Taps that turn block `from` into `to`; -1 when no number of taps does
// (a straight never becomes a corner).
int TapsBetween(std::int32_t from, std::int32_t to);

// The cells joined to either home through blocks that open toward each
// other, the homes themselves included.
int CountJoinedToHomes(const std::int32_t* kinds);

// The control strip.
constexpr RECT kStartStop{70, 245, 130, 281};
constexpr RECT kHelp{5, 245, 65, 262};
constexpr RECT kAbout{5, 264, 65, 281};
constexpr RECT kMinimise{182, 295, 206, 319};
constexpr RECT kExit{211, 295, 235, 319};

// The panels' answers: the pages' "X" and arrows, "Yes" and "No" of the two
// questions, "OK" of "Start new level".
constexpr RECT kHelpClose{180, 220, 230, 240};
constexpr RECT kAboutClose{180, 215, 230, 240};
constexpr RECT kPrevPage{16, 220, 40, 240};
constexpr RECT kNextPage{52, 220, 75, 240};
constexpr RECT kYes{34, 191, 103, 215};
constexpr RECT kNo{142, 191, 211, 215};
constexpr RECT kOk{162, 197, 229, 221};

constexpr RECT kScreen{0, 0, 240, 320};
constexpr RECT kBoard{0, 0, 240, 240};

}  // namespace soak
