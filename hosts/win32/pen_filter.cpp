#include "hosts/win32/pen_filter.h"

namespace win32host {

PenAction PenFilter::MouseButton(bool down, std::uintptr_t extraInfo, int x, int y) {
    // A touch that came as pointer messages too is dropped here; before
    // Windows 8 it comes only this way, and then it is the pen.
    const bool promoted = (extraInfo & kPromotedMouseMask) == kPromotedMouseSignature;
    if (promoted && pointersCome_) return {};
    if (down) {
        holder_ = Holder::Mouse;
        return {PenAction::Kind::Press, x, y};
    }
    if (holder_ == Holder::Mouse) {
        holder_ = Holder::Nobody;
        return {PenAction::Kind::Lift, x, y};
    }
    return {};
}

PenAction PenFilter::Pointer(const PointerMessage& message) {
    using Kind = PointerMessage::Kind;
    pointersCome_ = true;
    if (message.kind == Kind::Down) {
        if (!message.primary || message.canceled) return {};
        holder_ = Holder::Pointer;
        pointer_ = message.id;
        lastX_ = message.x;
        lastY_ = message.y;
        return {PenAction::Kind::Press, message.x, message.y};
    }
    if (holder_ != Holder::Pointer || message.id != pointer_) return {};
    if (message.kind != Kind::CaptureLost) {
        lastX_ = message.x;
        lastY_ = message.y;
    }
    // A contact the system took back (a palm, an edge swipe), or lost to
    // another window, lifts the pen where it was last.
    if (message.kind == Kind::Update && !message.canceled) return {};
    holder_ = Holder::Nobody;
    return {PenAction::Kind::Lift, lastX_, lastY_};
}

}  // namespace win32host
