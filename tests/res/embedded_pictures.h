// The pictures as the program carries them, decoded from the embedded
// resource table.
#pragma once

#include <algorithm>
#include <vector>

#include "gfx/image.h"

namespace res_test {

// An upright view of a decoded picture.
struct Decoded {
    int width = 0;
    int height = 0;
    int frames = 1;
    std::vector<Pixel32> pixels;  // stored order: bottom-up, frame 0 first

    int FrameHeight() const { return height / frames; }
    // Pixel (x, y) of frame f, y counted from the frame's top.
    const Pixel32& At(int frame, int x, int y) const;
    const Pixel32& At(int x, int y) const { return At(0, x, y); }
};

// A picture that must be there (else dbb::Error).
const Decoded& Picture(int id);

inline bool IsWhite(const Pixel32& p) { return IsPureWhite(p); }
inline bool IsBlack(const Pixel32& p) { return IsPureBlack(p); }
bool Same(const Pixel32& a, const Pixel32& b);

// Pixels of frame `frame` that pass `test`.
template <typename Test>
int CountIf(const Decoded& picture, int frame, Test test) {
    int count = 0;
    for (int y = 0; y < picture.FrameHeight(); ++y) {
        for (int x = 0; x < picture.width; ++x) count += test(picture.At(frame, x, y)) ? 1 : 0;
    }
    return count;
}
inline int CountWhite(const Decoded& picture, int frame) { return CountIf(picture, frame, IsWhite); }

// Inclusive bounds of the pixels of a frame that pass a test.
struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

template <typename Test>
Box BoxOf(const Decoded& picture, int frame, Test inside) {
    Box box;
    for (int y = 0; y < picture.FrameHeight(); ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (!inside(picture.At(frame, x, y))) continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
        }
    }
    return box;
}

// Pixels of a frame of `a` that differ from `b` placed with a's top left on
// (bx, by) of b's frame.
int Differing(const Decoded& a, int frameA, const Decoded& b, int frameB, int bx = 0, int by = 0);

}  // namespace res_test
