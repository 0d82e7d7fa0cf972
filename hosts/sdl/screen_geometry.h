// Where the handheld's 240x320 screen sits inside a desktop window, and how a
// mouse position becomes a pen position. Kept free of SDL so it can be tested.
#pragma once

#include <string>

namespace sdlhost {

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;

// The largest whole-number scale at which the screen fits an area of
// width x height pixels; never less than 1.
int FitScale(int width, int height);

// The scale a window opens at on a desktop whose usable area is width x
// height (unknown when not positive), for the scale asked for (0: the
// largest that fits), and what the user must be told: that the scale asked
// for did not fit, or that the desktop cannot show the whole screen even at
// scale 1, the control strip at its foot perhaps off the desktop.
struct WindowScale {
    int scale = 1;
    std::string note;  // empty: nothing to tell
};
WindowScale ChooseWindowScale(int requested, int width, int height);

// The screen's picture inside a window: its top-left corner in window pixels
// and its scale. A window larger than the picture shows black around it.
struct Viewport {
    int left = 0;
    int top = 0;
    int scale = 1;
};

// The picture centred in a window of width x height pixels at the largest
// scale that fits, but no larger than maxScale (0 = no limit).
Viewport FitViewport(int width, int height, int maxScale);

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// The screen pixel under window pixel (x, y). Positions outside the picture
// give coordinates outside 0..239 x 0..319.
ScreenPoint WindowToScreen(int x, int y, const Viewport& viewport);

bool IsOnScreen(const ScreenPoint& point);

// The nearest screen pixel: where a pen that slid off the picture is lifted.
ScreenPoint ClampToScreen(const ScreenPoint& point);

}  // namespace sdlhost
