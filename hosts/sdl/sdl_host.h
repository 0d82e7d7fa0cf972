// The desktop host: one SDL window showing the handheld's screen at a whole
// scale, the mouse as the pen, minimising as the device's focus loss, and a
// tick count latched per event so that a recorded session replays exactly.
//
// Pace: the device painted whenever its queue was empty, and the game's own
// clock decides which paints tick. The host paints only when a paint can
// change something (PaintSchedule): at the game's pace while its paints read
// the clock, once right after any input, and otherwise sleeps in the event
// wait, woken by input or by another copy knocking. A frame reaches the window
// only when it changed, at most once per refresh. The game's own sleeps (the
// panel slides) keep their total time and keep the window drawn.
#pragma once

#include <SDL.h>

#include <array>
#include <deque>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "hosts/sdl/frame_pacer.h"
#include "hosts/sdl/hand_over_watcher.h"
#include "hosts/sdl/paint_schedule.h"
#include "hosts/sdl/pixel_convert.h"
#include "hosts/sdl/recording_file.h"
#include "hosts/sdl/screen_geometry.h"
#include "hosts/sdl/session_recorder.h"
#include "platform/host.h"

namespace sdlhost {

// Milliseconds of the machine's monotonic clock (on Linux: since boot, like
// the device's tick count), so that each game starts from a different seed.
std::uint32_t MonotonicMilliseconds();

// With no display SDL falls back to video drivers that draw nowhere, and a
// game nobody can see would run until killed. Such a driver counts only when
// it was asked for by name (`requested`: SDL_VIDEODRIVER, may be null).
bool IsVisibleVideoDriver(const char* driver, const char* requested);

// The instance namespace of a desktop copy: copies meet only on the same
// display (`x11Display`, `waylandDisplay`: the environment's DISPLAY and
// WAYLAND_DISPLAY, either may be null).
std::string DesktopNamespace(const char* x11Display, const char* waylandDisplay);

struct SdlHostOptions {
    int scale = 0;  // window pixels per screen pixel; 0 = the largest that fits the desktop
    std::filesystem::path shotsDirectory = ".";
    // Where to write the session as a runner script; empty = not recorded.
    // The file is created when the first event arrives, so that a second copy
    // that only hands over never touches the running copy's recording.
    std::filesystem::path recordPath;
    bool recordOverwrite = false;  // an existing file at recordPath is replaced
    std::function<std::uint32_t()> clock = MonotonicMilliseconds;
    // How long a hidden game sleeps, at most, before the host reports that
    // nothing happened; negative: until something does (the program). Tests
    // bound it.
    int hiddenWaitMs = -1;
};

class SdlHost final : public platform::Host {
public:
    // Starts SDL video and creates the (still hidden) window. Null, with the
    // reason in `error`, when there is no display to open a window on.
    static std::unique_ptr<SdlHost> Open(SdlHostOptions options, std::string& error);
    ~SdlHost() override;
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

    std::uint32_t TickCount() override;
    void ClockWatched() override { schedule_.ClockWatched(); }
    void Sleep(std::uint32_t milliseconds) override;
    platform::HostEvent WaitForEvent(bool paintable) override;
    void PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig& config, bool changed) override;
    int ShowMessageBox(std::string_view caption, std::string_view text,
                       std::uint32_t type) override;
    void WindowVisibilityChanged(bool visible) override;
    void WindowBroughtForward() override;
    void SetWindowIcon(const std::uint8_t* pixels, std::uint32_t width,
                       std::uint32_t height) override;
    void HandOverReceived() override;

    // The last frame the game presented, as shown (or about to be shown).
    std::span<const std::uint32_t, kScreenPixels> LastFrame() const { return frame_; }
    SDL_Window* Window() const { return window_; }
    // Saves the last frame as the next screenshot; the path, or empty on
    // failure, which it reports on standard error.
    std::filesystem::path SaveScreenshot();
    void ToggleFullScreen();
    // Makes the loop's wait return None soon, from any thread, and paint once
    // after: something outside the game (a measuring tool, input it made up)
    // wants a look between events.
    void WakeLoop();
    // True once the recording file is open and being written.
    bool Recording() const { return recorder_ != nullptr; }
    // Writes the last of the recording and closes it. False when it could not
    // be written whole (the reason was told on standard error when it
    // happened): the session then ends with a failure.
    bool EndRecording();

private:
    SdlHost(SdlHostOptions options, SDL_Window* window, SDL_Renderer* renderer,
            SDL_Texture* texture, FramePacer::Clock::duration refreshInterval);

    platform::HostEvent WaitWhileHidden();
    // Takes the next event, those kept during a sleep first, waiting at most
    // `timeoutMs` (negative: for ever); false when none came.
    bool NextEvent(int timeoutMs, SDL_Event* event);
    // How long a shown game may wait for input: until its next paint or the
    // next refresh a pending frame waits for; -1 when nothing is due.
    int ShownWaitMs() const;
    // An event that came during one of the game's sleeps: the window is
    // redrawn at once, anything else is kept for the loop.
    void KeepForLater(const SDL_Event& event);
    bool RedrawsWindow(const SDL_Event& event) const;
    std::optional<platform::HostEvent> Answer(const SDL_Event& event, bool windowShown);
    void ShowPendingFrame();
    std::optional<platform::HostEvent> Translate(const SDL_Event& event);
    // The user came back to the hidden game: once per hiding, the hand-over.
    std::optional<platform::HostEvent> RestoreIfHidden();
    std::optional<platform::HostEvent> CloseRequest();
    std::optional<platform::HostEvent> TranslateWindowEvent(const SDL_WindowEvent& event);
    std::optional<platform::HostEvent> TranslateButton(const SDL_MouseButtonEvent& button);
    void HandleKey(const SDL_KeyboardEvent& key);
    platform::HostEvent Deliver(const platform::HostEvent& event, bool windowShown);
    SessionRecorder* Recorder();
    bool WriteRecording(std::string_view line);
    Viewport WindowViewport() const;
    void Render();

    SdlHostOptions options_;
    SDL_Window* window_;
    SDL_Renderer* renderer_;
    SDL_Texture* texture_;
    FramePacer pacer_;
    PaintSchedule schedule_;
    SleepRun sleepRun_;
    std::deque<SDL_Event> kept_;  // events that came while the game slept
    std::array<std::uint32_t, kScreenPixels> frame_{};  // the picture shown (or next to be)
    bool framePending_ = false;   // a frame (or a repaint) waits for the next refresh
    bool gameShown_ = false;      // the game's window is shown (not hidden as a minimised one)
    bool restoreAsked_ = false;   // the hand-over for this hiding was asked for
    Uint32 knockEvent_ = SDL_RegisterEvents(1);  // a knock on the hand-over channel
    Uint32 wakeEvent_ = SDL_RegisterEvents(1);   // WakeLoop
    std::unique_ptr<HandOverWatcher> watcher_;
    bool knockPending_ = false;   // the last knock is being answered by the platform
    bool penDown_ = false;        // a press began on the screen and has not ended
    bool closeDelivered_ = false;
    bool fullScreen_ = false;
    std::uint32_t tickCount_;
    const std::uint32_t startClock_;  // the clock the game seeded its random sequence with
    std::unique_ptr<RecordingFile> recordFile_;
    std::unique_ptr<SessionRecorder> recorder_;  // destroyed first: it flushes into the file
    bool recordFailed_ = false;  // the recording could not be created or written whole
    int shotNumber_ = 1;
};

}  // namespace sdlhost
