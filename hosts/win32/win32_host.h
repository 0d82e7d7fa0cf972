// The Windows host: one Win32 window showing the handheld's screen at a whole
// scale, the left mouse button, a finger or a stylus as the pen (captured, so
// that a release outside the window still lifts it), minimising as the
// device's focus loss, and the game's pace kept by a waitable timer.
// Declared without <windows.h>, whose names clash with the platform
// stand-in's.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "hosts/sdl/paint_schedule.h"
#include "hosts/sdl/pixel_convert.h"
#include "hosts/sdl/screen_geometry.h"
#include "hosts/sdl/session_recorder.h"
#include "hosts/win32/pen_filter.h"
#include "platform/host.h"

struct tagRECT;  // RECT

namespace win32host {

struct Win32HostOptions {
    int scale = 0;  // window pixels per screen pixel; 0 = the largest that fits the work area
    std::filesystem::path shotsDirectory = ".";
    std::filesystem::path recordPath;  // empty: not recorded
    // What the host waits on for a knock on the hand-over channel (-1: none yet).
    std::function<std::intptr_t()> handOver;
};

class Win32Host final : public platform::Host {
public:
    // Registers the class and creates the (still hidden) window; null, with
    // the reason in `error`, when the system refuses.
    static std::unique_ptr<Win32Host> Open(Win32HostOptions options, std::string& error);
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    std::uint32_t TickCount() override { return tickCount_; }
    void ClockWatched() override { schedule_.ClockWatched(); }
    void Sleep(std::uint32_t milliseconds) override;
    platform::HostEvent WaitForEvent(bool paintable) override;
    void PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig& config, bool changed) override;
    int ShowMessageBox(std::string_view caption, std::string_view text, std::uint32_t type) override;
    void WindowVisibilityChanged(bool visible) override;
    void WindowBroughtForward() override;
    void HandOverReceived() override;

    // The window procedure's work, for the message it was given.
    std::intptr_t Handle(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    // Writes the last of the recording; false when it could not be written whole.
    bool EndRecording();

private:
    explicit Win32Host(Win32HostOptions options);
    void Queue(const platform::HostEvent& event);
    platform::HostEvent Deliver(const platform::HostEvent& event);
    sdlhost::SessionRecorder* Recorder();
    void Pen(const PenAction& action);
    // F12 and Alt+Enter; false for any other key.
    bool Key(std::uintptr_t key, bool altHeld);
    void SaveScreenshot();
    void ToggleFullScreen();
    // The window at the scale that fits the monitor holding `suggested`.
    void FitMonitorOf(const tagRECT& suggested);
    void Paint();
    sdlhost::Viewport WindowViewport() const;
    // Waits for a message, a knock or `waitMs` (negative: no time limit).
    void WaitFor(int waitMs);

    Win32HostOptions options_;  // its scale: the one the window has now
    int requestedScale_ = 0;    // --scale as given; 0: the largest that fits
    void* window_ = nullptr;  // HWND
    void* timer_ = nullptr;   // HANDLE of the waitable timer
    sdlhost::PaintSchedule schedule_;
    sdlhost::SleepRun sleepRun_;
    std::deque<platform::HostEvent> events_;  // from the window procedure, oldest first
    std::array<std::uint32_t, sdlhost::kScreenPixels> frame_{};
    bool gameShown_ = false;
    bool restoreAsked_ = false;
    PenFilter penFilter_;
    bool penDown_ = false;
    bool fullScreen_ = false;
    long savedStyle_ = 0;
    int savedRect_[4] = {};
    std::uint32_t tickCount_;
    const std::uint32_t startClock_;
    std::FILE* recordFile_ = nullptr;
    std::unique_ptr<sdlhost::SessionRecorder> recorder_;
    bool recordFailed_ = false;
    int shotNumber_ = 1;
};

}  // namespace win32host
