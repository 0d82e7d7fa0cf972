// The Windows program's pen from the mouse, fingers and a stylus, fed the
// messages Windows sends (Wine sends no pointer messages): one press and one
// lift for each tap, whatever else the system sends of it.
#include "hosts/win32/pen_filter.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using win32host::PenAction;
using win32host::PenFilter;
using win32host::PointerMessage;
using Act = PenAction::Kind;
using Pointer = PointerMessage::Kind;

// GetMessageExtraInfo() of a mouse message made from a touch, and of a real one.
constexpr std::uintptr_t kFromTouch = 0xFF515780, kRealMouse = 0;

// A message and the action it must give, at (x, y) unless None: where the
// message was, but for a lost pointer.
struct Step {
    bool mouse;  // a left button message, else a pointer message
    bool down;
    std::uintptr_t extraInfo;
    PointerMessage pointer;
    Act expected;
    int x = 0, y = 0;
};

Step Mouse(bool down, std::uintptr_t extraInfo, int x, int y, Act expected) {
    return {true, down, extraInfo, {}, expected, x, y};
}
Step Touch(Pointer kind, std::uint32_t id, bool primary, int x, int y, Act expected, bool canceled = false) {
    return {false, false, 0, {kind, id, primary, canceled, x, y}, expected, x, y};
}
// A pointer another window took: the message has no point; the pen lifts where it was last.
Step Lost(std::uint32_t id, int lastX, int lastY) {
    return {false, false, 0, {Pointer::CaptureLost, id, false, false, 0, 0}, Act::Lift, lastX, lastY};
}

TEST(PenFilter, EachTapPressesAndLiftsThePenOnceAndTheLatestPressHoldsIt) {
    constexpr Act kNone = Act::None, kPress = Act::Press, kLift = Act::Lift;
    const struct { const char* name; std::vector<Step> steps; } cases[] = {
        {"the mouse", {Mouse(true, kRealMouse, 3, 4, kPress), Mouse(false, kRealMouse, 900, -5, kLift)}},
        // The mouse messages come late: the system waits to see the finger is not held.
        {"a tap as pointer and as mouse messages",
         {Touch(Pointer::Down, 7, true, 10, 20, kPress), Touch(Pointer::Up, 7, true, 11, 21, kLift),
          Mouse(true, kFromTouch, 10, 20, kNone), Mouse(false, kFromTouch, 11, 21, kNone)}},
        {"a tap before Windows 8: mouse messages only",
         {Mouse(true, kFromTouch, 10, 20, kPress), Mouse(false, kFromTouch, 11, 21, kLift)}},
        {"a second finger",
         {Touch(Pointer::Down, 1, true, 5, 5, kPress), Touch(Pointer::Down, 2, false, 50, 50, kNone),
          Touch(Pointer::Up, 2, false, 50, 50, kNone), Touch(Pointer::Update, 1, true, 6, 6, kNone),
          Touch(Pointer::Up, 1, true, 7, 7, kLift), Touch(Pointer::Down, 2, false, 50, 50, kNone)}},
        // A press while the pen is down (its lift went elsewhere) takes it.
        {"the mouse while a finger holds the pen",
         {Touch(Pointer::Down, 1, true, 5, 5, kPress), Mouse(true, kRealMouse, 80, 80, kPress),
          Touch(Pointer::Up, 1, true, 5, 5, kNone), Mouse(false, kRealMouse, 81, 81, kLift)}},
        {"a finger while the mouse holds the pen",
         {Mouse(true, kRealMouse, 80, 80, kPress), Mouse(true, kRealMouse, 82, 82, kPress),
          Touch(Pointer::Down, 1, true, 5, 5, kPress), Mouse(false, kRealMouse, 81, 81, kNone),
          Touch(Pointer::Up, 1, true, 6, 6, kLift)}},
        {"a contact the system cancels",
         {Touch(Pointer::Down, 1, true, 5, 5, kNone, true), Touch(Pointer::Down, 3, true, 5, 5, kPress),
          Touch(Pointer::Update, 3, true, 9, 8, kLift, true), Touch(Pointer::Up, 3, true, 9, 8, kNone)}},
        {"a contact another window takes",
         {Touch(Pointer::Down, 4, true, 5, 6, kPress), Touch(Pointer::Update, 4, true, 70, 80, kNone), Lost(4, 70, 80)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PenFilter filter;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            const PenAction action =
                step.mouse ? filter.MouseButton(step.down, step.extraInfo, step.x, step.y) : filter.Pointer(step.pointer);
            EXPECT_EQ(action.kind, step.expected) << "step " << i;
            if (step.expected != Act::None) {
                EXPECT_EQ((std::pair{action.x, action.y}), (std::pair{step.x, step.y})) << "step " << i;
            }
        }
    }
}

}  // namespace
