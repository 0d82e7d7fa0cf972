// Which of the window's messages press and lift the game's one pen. The left
// mouse button and touch or stylus contacts (Windows 8's pointer messages)
// both can. The latest press takes the pen, as a press while the pen is down
// means that its lift was lost; only the one that pressed it lifts it. Of
// several fingers only the first, the system's primary pointer, is the pen.
// A touch also reaches the window a second time, as mouse messages the
// system makes of it for older programs: once pointer messages come, those
// are dropped, so that a tap is not two. Without <windows.h>: the host reads
// the messages' fields into these.
#pragma once

#include <cstdint>

namespace win32host {

// What GetMessageExtraInfo() says of a mouse message the system made from a
// touch or a pen contact, in its top 24 bits.
constexpr std::uintptr_t kPromotedMouseMask = 0xFFFFFF00;
constexpr std::uintptr_t kPromotedMouseSignature = 0xFF515700;

struct PenAction {
    enum class Kind { None, Press, Lift };
    Kind kind = Kind::None;
    int x = 0;  // window (client) pixels
    int y = 0;
};

// A WM_POINTERDOWN, WM_POINTERUPDATE, WM_POINTERUP or WM_POINTERCAPTURECHANGED
// (which has no point), with the flags of its wParam.
struct PointerMessage {
    enum class Kind { Down, Update, Up, CaptureLost };
    Kind kind = Kind::Down;
    std::uint32_t id = 0;
    bool primary = false;
    bool canceled = false;
    int x = 0;
    int y = 0;
};

class PenFilter {
public:
    // WM_LBUTTONDOWN or WM_LBUTTONUP at (x, y), with GetMessageExtraInfo().
    PenAction MouseButton(bool down, std::uintptr_t extraInfo, int x, int y);
    PenAction Pointer(const PointerMessage& message);

private:
    enum class Holder { Nobody, Mouse, Pointer };
    Holder holder_ = Holder::Nobody;
    std::uint32_t pointer_ = 0;  // the pointer holding the pen
    int lastX_ = 0;              // where it was last seen
    int lastY_ = 0;
    bool pointersCome_ = false;
};

}  // namespace win32host
