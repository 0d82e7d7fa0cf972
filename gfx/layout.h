// Where everything sits on the 240x320 screen: the play field above, the
// control strip below, the rectangle each control and each panel answer to,
// and the pictures of the buttons. A rectangle holds its left and top edges,
// not its right and bottom ones.
#pragma once

#include "platform/coredll/coredll.h"
#include "res/picture_ids.h"

// The play field and the controls of the strip.
constexpr RECT kBoardRect{0, 0, 240, 240};
constexpr RECT kStartStopRect{70, 245, 130, 281};
constexpr RECT kExitRect{211, 295, 235, 319};
constexpr RECT kHelpRect{5, 245, 65, 262};
constexpr RECT kAboutRect{5, 264, 65, 281};
constexpr RECT kMinimiseRect{182, 295, 206, 319};

// The answers of the panels: the "X" of a help page and of the about page,
// "Yes" and "No" of the two questions, "OK" of the level-complete panel, and
// the arrows that turn the help pages.
constexpr RECT kHelpCloseRect{180, 220, 230, 240};
constexpr RECT kAboutCloseRect{180, 215, 230, 240};
constexpr RECT kDialogYesRect{34, 191, 103, 215};
constexpr RECT kDialogNoRect{142, 191, 211, 215};
constexpr RECT kNextLevelOkRect{162, 197, 229, 221};
constexpr RECT kPrevPageRect{16, 220, 40, 240};
constexpr RECT kNextPageRect{52, 220, 75, 240};

// A control's raised and pressed pictures and where both are drawn.
struct ButtonFace {
    int raised;
    int pressed;
    int x;
    int y;
};

constexpr ButtonFace kStartFace{pictures::kStartRaised, pictures::kStartPressed, 70, 245};
constexpr ButtonFace kStopFace{pictures::kStopRaised, pictures::kStopPressed, 70, 245};
constexpr ButtonFace kHelpFace{pictures::kHelpRaised, pictures::kHelpPressed, 5, 245};
constexpr ButtonFace kAboutFace{pictures::kAboutRaised, pictures::kAboutPressed, 5, 264};
constexpr ButtonFace kMinimiseFace{pictures::kMinimiseRaised, pictures::kMinimisePressed, 182, 295};
constexpr ButtonFace kExitFace{pictures::kExitRaised, pictures::kExitPressed, 211, 295};

// The rest of the strip: pictures that only show, where they are drawn.
struct StripPicture {
    int id;
    int x;
    int y;
};

constexpr StripPicture kStripBackground{pictures::kStripBackground, 0, 240};  // packed
constexpr StripPicture kScoreLabel{pictures::kScoreLabel, 175, 245};
constexpr StripPicture kLevelBox{pictures::kLevelBox, 137, 264};
constexpr StripPicture kLevelLabel{pictures::kLevelLabel, 135, 244};
constexpr StripPicture kScoreBox{pictures::kScoreBox, 175, 264};
constexpr StripPicture kTitleLogo{pictures::kTitleLogo, 5, 280};  // packed

// The number fields: cells of the digit strip (0 to 9, then a blank), two in
// the level box and four in the score box.
constexpr int kDigitStrip = pictures::kDigitStrip;
constexpr int kDigitWidth = pictures::kDigitStripWidth;
constexpr int kDigitHeight = pictures::kDigitStripHeight;
constexpr int kDigitFrames = pictures::kDigitStripFrames;
constexpr int kLevelFieldX = 142;
constexpr int kLevelFieldY = 266;
constexpr int kLevelFieldCells = 2;
constexpr int kScoreFieldX = 177;
constexpr int kScoreFieldY = 266;

// Panels rise from behind row 240 at x = 5; a help or about page, once up,
// covers rows 7 to 240.
constexpr int kPanelX = 5;
constexpr int kPanelBottomY = 240;
constexpr int kPageTop = 7;

constexpr int kAboutPage = pictures::kAboutPage;
constexpr int kExitDialog = pictures::kExitDialog;
constexpr int kStopDialog = pictures::kStopDialog;
constexpr int kTitlePicture = pictures::kTitlePicture;
constexpr int kLevelCompletePanel = pictures::kLevelCompletePanel;
constexpr int kHelpPageCount = 3;
constexpr int kHelpPages[kHelpPageCount] = {pictures::kHelpPage1, pictures::kHelpPage2, pictures::kHelpPage3};

inline bool PointIn(const RECT& rect, int x, int y) { return PtInRect(&rect, POINT{x, y}) != FALSE; }
