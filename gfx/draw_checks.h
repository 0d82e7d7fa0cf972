// The drawing primitives do not clip. In the checked build
// (MIRELINK_CHECK_DRAWING, with the sanitizers) every rectangle is checked against its buffer, so
// that a caller's mistake stops the program where it happens, with a message
// naming the primitive and the rectangle.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "gfx/display_device.h"
#include "gfx/image.h"

// The work buffer holds converted pixels in rows of the picture's own width,
// two bytes an element whatever pitches the display reports, so that a
// staged or rolled panel never reaches past it.
constexpr std::int64_t kWorkElements = kScreenWidth * kScreenHeight;
constexpr std::int64_t kWorkPixelBytes = 2;

inline bool RectOnScreen(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
    return x >= 0 && y >= 0 && x + width <= kScreenWidth && y + height <= kScreenHeight;
}

inline bool ElementsInWork(std::int64_t first, std::int64_t count) {
    return first >= 0 && count >= 0 && first + count <= kWorkElements;
}

inline void DrawingFault([[maybe_unused]] bool ok, [[maybe_unused]] const char* primitive,
                         [[maybe_unused]] std::int64_t x, [[maybe_unused]] std::int64_t y,
                         [[maybe_unused]] std::int64_t width, [[maybe_unused]] std::int64_t height) {
#ifdef MIRELINK_CHECK_DRAWING
    if (ok) return;
    std::fprintf(stderr, "%s: the rectangle at (%lld, %lld), %lld x %lld, leaves its buffer or has no pixels\n", primitive,
                 static_cast<long long>(x), static_cast<long long>(y), static_cast<long long>(width),
                 static_cast<long long>(height));
    std::abort();
#endif
}

// A rectangle drawn into the back buffer, with the pixels it reads.
inline void CheckScreenRect(const char* primitive, int x, int y, int width, int height,
                            const Pixel32* pixels) {
    if (width < 1 || height < 1) return;
    DrawingFault(RectOnScreen(x, y, width, height) && pixels != nullptr, primitive, x, y, width, height);
}
