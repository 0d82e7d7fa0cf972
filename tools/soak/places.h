// Where the controls and the panels' answers lie on the screen, written here
// on their own rather than taken from the game, so that a wrong rectangle in
// the game shows up as a broken rule.
#pragma once

#include "platform/coredll/coredll.h"

namespace soak {

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
