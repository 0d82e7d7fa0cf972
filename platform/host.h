// What the platform stand-in needs from the machine it runs on: a clock, a
// screen, a pen, focus changes and message boxes. A host (a desktop window, a
// scripted runner, a page in the browser) implements this; the platform calls
// nothing else.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

// The screen as the game display interface reports it.
struct DisplayConfig {
    std::uint32_t width = 240;
    std::uint32_t height = 320;
    std::int32_t xPitch = 2;    // bytes from one pixel to the next in a row
    std::int32_t yPitch = 480;  // bytes from one row to the next
    std::int32_t bitsPerPixel = 16;
    std::uint32_t format = 0x0080;  // kfDirect565
    bool rotated = false;           // the screen starts turned a quarter turn
};

enum class HostEventKind {
    None,          // nothing happened; the platform looks at its other sources and asks again
    Paint,         // the loop is idle and the host wants the next frame
    PenDown,       // the pen touched the screen at (x, y)
    PenUp,         // the pen left the screen at (x, y)
    FocusLost,     // the window lost the input focus
    Close,         // the window is to close now (the runner's end, a host going away)
    CloseRequest,  // the user asks the window to close (its close button, Alt+F4)
    Restore,       // the user brought the hidden window back (taskbar, a click):
                   // the same hand-over as a second start of the program
};

struct HostEvent {
    HostEventKind kind = HostEventKind::None;
    std::int32_t x = 0;  // screen pixels; the platform keeps the low 16 bits, as the device does
    std::int32_t y = 0;
};

class Host {
public:
    virtual ~Host() = default;

    // Milliseconds since some start; wraps past 2^32.
    virtual std::uint32_t TickCount() = 0;
    // The program itself read the clock (GetTickCount): something in it waits
    // for time to pass. A host that paints only when a paint can change
    // something keeps painting while paints read the clock.
    virtual void ClockWatched() {}
    virtual void Sleep(std::uint32_t milliseconds) = 0;

    // The message queue is empty. Return the next input; Paint only when
    // `paintable` (a window is shown) and the host wants a frame. With nothing
    // to paint, wait without spinning for input, or for another copy knocking
    // on the hand-over channel (platform::HandOverWaitable()),
    // and return None for the knock; a host that cannot watch the channel
    // returns None after at most about 50 ms instead.
    virtual HostEvent WaitForEvent(bool paintable) = 0;

    // Display memory at the end of a frame, while the display is open.
    // `changed` is false when the frame is the very one presented before
    // (most paints present an unchanged picture): nothing new to show.
    virtual void PresentFrame(const std::uint8_t* memory, const DisplayConfig& config, bool changed) = 0;

    // Shows a message box; returns what the box returned (IDOK), or 0 when it
    // could not be shown. Texts are UTF-8.
    virtual int ShowMessageBox(std::string_view caption, std::string_view text,
                               std::uint32_t type) = 0;

    // The main window was shown or hidden, or brought to the front.
    virtual void WindowVisibilityChanged(bool visible) = 0;
    virtual void WindowBroughtForward() {}

    // Another copy of the program handed over to this one (WM_USER arrived
    // through the single-instance channel).
    virtual void HandOverReceived() {}

    // The window class icon: width x height pixels, 4 bytes each (unused, blue,
    // green, red), rows bottom-up.
    virtual void SetWindowIcon(const std::uint8_t* pixels, std::uint32_t width,
                               std::uint32_t height) {
        (void)pixels;
        (void)width;
        (void)height;
    }
};

}  // namespace platform
