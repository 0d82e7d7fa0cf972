#include "hosts/sdl/screen_geometry.h"

#include <algorithm>

namespace sdlhost {
namespace {

// Division that rounds towards minus infinity, so that the pixels just left of
// or above the picture map to -1 and not to 0.
int FloorDivide(int value, int divisor) {
    int quotient = value / divisor;
    if (value % divisor != 0 && value < 0) {
        --quotient;
    }
    return quotient;
}

}  // namespace

WindowScale ChooseWindowScale(int requested, int width, int height) {
    if (width <= 0 || height <= 0) return {requested > 0 ? requested : 1, {}};
    const int largest = FitScale(width, height);
    if (width < kScreenWidth || height < kScreenHeight) {
        return {1, "the desktop's " + std::to_string(width) + "x" + std::to_string(height) +
                       " pixels cannot show the whole 240x320 screen: part of the window is off the desktop"};
    }
    if (requested > largest) {
        return {largest, "a scale of " + std::to_string(requested) + " does not fit the desktop; using " +
                             std::to_string(largest)};
    }
    return {requested > 0 ? requested : largest, {}};
}

int FitScale(int width, int height) {
    return std::max(1, std::min(width / kScreenWidth, height / kScreenHeight));
}

Viewport FitViewport(int width, int height, int maxScale) {
    Viewport viewport;
    viewport.scale = FitScale(width, height);
    if (maxScale > 0) {
        viewport.scale = std::min(viewport.scale, maxScale);
    }
    viewport.left = (width - kScreenWidth * viewport.scale) / 2;
    viewport.top = (height - kScreenHeight * viewport.scale) / 2;
    return viewport;
}

ScreenPoint WindowToScreen(int x, int y, const Viewport& viewport) {
    const int scale = std::max(1, viewport.scale);
    return {FloorDivide(x - viewport.left, scale), FloorDivide(y - viewport.top, scale)};
}

bool IsOnScreen(const ScreenPoint& point) {
    return point.x >= 0 && point.x < kScreenWidth && point.y >= 0 && point.y < kScreenHeight;
}

ScreenPoint ClampToScreen(const ScreenPoint& point) {
    return {std::clamp(point.x, 0, kScreenWidth - 1), std::clamp(point.y, 0, kScreenHeight - 1)};
}

}  // namespace sdlhost
