#include "hosts/sdl/sdl_host.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "hosts/files/screen_pixels.h"
#include "hosts/sdl/screenshot.h"
#include "platform/platform.h"

namespace sdlhost {
namespace {

using Clock = FramePacer::Clock;
using platform::HostEvent;
using platform::HostEventKind;

constexpr int kIdOk = 1;
constexpr std::uint32_t kLargestIcon = 1024;

std::string SdlFailure(const char* what) { return std::string(what) + ": " + SDL_GetError(); }

// Whole milliseconds until `deadline`, rounded up so that a wait never ends
// just short of it.
int MillisecondsUntil(Clock::time_point deadline, Clock::time_point now) {
    if (deadline <= now) {
        return 0;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    return static_cast<int>(left.count());
}

// The shorter of two waits, where -1 is for ever.
int ShorterWait(int first, int second) {
    if (first < 0) return second;
    if (second < 0) return first;
    return std::min(first, second);
}

// The window's scale on the first display, and a word on standard error when
// it is not what the user asked for or the window will not fit.
int ScaleForDesktop(int requested) {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        usable = {};
    }
    const WindowScale chosen = ChooseWindowScale(requested, usable.w, usable.h);
    if (!chosen.note.empty()) {
        std::fprintf(stderr, "mirelink: %s\n", chosen.note.c_str());
    }
    return chosen.scale;
}

int RefreshRate(SDL_Window* window) {
    SDL_DisplayMode mode{};
    const int display = std::max(0, SDL_GetWindowDisplayIndex(window));
    return SDL_GetCurrentDisplayMode(display, &mode) == 0 ? mode.refresh_rate : 0;
}

// A hang-up (the terminal closed, the session ended) ends the program as
// SIGTERM does: SDL turns that into a quit event, so the window closes
// through the game, its channel socket is removed and a recording is closed.
// Re-raising is all a handler may safely do here.
void EndAsTerminated(int) { std::raise(SIGTERM); }

void EndOnHangUp() {
    struct sigaction action {};
    action.sa_handler = EndAsTerminated;
    sigemptyset(&action.sa_mask);
    sigaction(SIGHUP, &action, nullptr);
}

bool IsAltEnter(const SDL_Keysym& key) {
    return (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) && (key.mod & KMOD_ALT) != 0;
}

}  // namespace

bool IsVisibleVideoDriver(const char* driver, const char* requested) {
    if (driver == nullptr) {
        return false;
    }
    const std::string name(driver);
    if (name != "offscreen" && name != "dummy" && name != "evdev") {
        return true;
    }
    return requested != nullptr && name == requested;
}

std::uint32_t MonotonicMilliseconds() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

std::string DesktopNamespace(const char* x11Display, const char* waylandDisplay) {
    std::string name = "desktop";
    if (waylandDisplay != nullptr && waylandDisplay[0] != '\0') name += std::string(" wayland=") + waylandDisplay;
    if (x11Display != nullptr && x11Display[0] != '\0') name += std::string(" x11=") + x11Display;
    return name;
}

std::unique_ptr<SdlHost> SdlHost::Open(SdlHostOptions options, std::string& error) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    // The click that brings the window forward is also a pen press.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The window's close button is a request the game may answer with a
    // question, not the end of the program.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SdlFailure("cannot open a window (no display?)");
        return nullptr;
    }
    EndOnHangUp();
    if (!IsVisibleVideoDriver(SDL_GetCurrentVideoDriver(), SDL_getenv("SDL_VIDEODRIVER"))) {
        error = "cannot open a window: no display (set DISPLAY or WAYLAND_DISPLAY)";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    options.scale = ScaleForDesktop(options.scale);
    SDL_Window* window = SDL_CreateWindow("Mirelink", SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, kScreenWidth * options.scale,
                                          kScreenHeight * options.scale, SDL_WINDOW_HIDDEN);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    SDL_Texture* texture =
        renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                     kScreenWidth, kScreenHeight)
                 : nullptr;
    if (texture == nullptr) {
        error = SdlFailure("cannot open a window");
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    const auto interval = FramePacer::RefreshInterval(RefreshRate(window));
    return std::unique_ptr<SdlHost>(
        new SdlHost(std::move(options), window, renderer, texture, interval));
}

SdlHost::SdlHost(SdlHostOptions options, SDL_Window* window, SDL_Renderer* renderer,
                 SDL_Texture* texture, FramePacer::Clock::duration refreshInterval)
    : options_(std::move(options)),
      window_(window),
      renderer_(renderer),
      texture_(texture),
      pacer_(refreshInterval),
      tickCount_(options_.clock()),
      startClock_(tickCount_) {}

SdlHost::~SdlHost() {
    SDL_DestroyTexture(texture_);
    SDL_DestroyRenderer(renderer_);
    SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::uint32_t SdlHost::TickCount() { return tickCount_; }

// The game sleeps between the steps of a slide. Under load each sleep
// overshoots, so each one ends where the run of them should (SleepRun), and
// the window keeps being drawn meanwhile; input waits until the game asks.
void SdlHost::Sleep(std::uint32_t milliseconds) {
    const std::uint32_t start = options_.clock();
    const std::uint32_t end = start + sleepRun_.Plan(milliseconds, start);
    std::uint32_t now = start;
    for (;;) {
        const auto left = static_cast<std::int32_t>(end - now);
        SDL_Event event;
        if (left <= 0) break;
        const bool woken = SDL_WaitEventTimeout(&event, left) == 1;
        now = options_.clock();
        if (!woken) break;
        KeepForLater(event);
    }
    tickCount_ += now - start;
    if (recorder_ != nullptr) {
        recorder_->ClockMovedUnseen();
    }
}

void SdlHost::KeepForLater(const SDL_Event& event) {
    if (RedrawsWindow(event)) {
        Render();
        return;
    }
    kept_.push_back(event);
}

bool SdlHost::RedrawsWindow(const SDL_Event& event) const {
    if (event.type != SDL_WINDOWEVENT) return false;
    const auto kind = event.window.event;
    return kind == SDL_WINDOWEVENT_EXPOSED || kind == SDL_WINDOWEVENT_SIZE_CHANGED ||
           kind == SDL_WINDOWEVENT_SHOWN;
}

bool SdlHost::NextEvent(int timeoutMs, SDL_Event* event) {
    if (!kept_.empty()) {
        *event = kept_.front();
        kept_.pop_front();
        return true;
    }
    if (timeoutMs == 0) return SDL_PollEvent(event) == 1;
    return SDL_WaitEventTimeout(event, timeoutMs) == 1;
}

int SdlHost::ShownWaitMs() const {
    const auto paint = schedule_.WaitFrom(options_.clock());
    const int paintWait = paint ? static_cast<int>(*paint) : -1;
    const bool windowShown = (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) != 0;
    const int frameWait =
        framePending_ && windowShown ? MillisecondsUntil(pacer_.NextDeadline(), Clock::now()) : -1;
    return ShorterWait(paintWait, frameWait);
}

HostEvent SdlHost::WaitForEvent(bool paintable) {
    schedule_.PaintDone();
    sleepRun_.End();
    if (knockPending_) {
        // The platform has answered the knock that woke it.
        knockPending_ = false;
        watcher_->Answered();
    }
    if (!watcher_) {
        watcher_ = std::make_unique<HandOverWatcher>(static_cast<int>(platform::HandOverWaitable()), knockEvent_);
    }
    if (!paintable) {
        return WaitWhileHidden();
    }
    for (;;) {
        SDL_Event event;
        if (NextEvent(ShownWaitMs(), &event)) {
            if (auto answer = Answer(event, true)) return *answer;
            continue;
        }
        ShowPendingFrame();
        if (schedule_.WaitFrom(options_.clock()) == 0u) {
            const HostEvent paint = Deliver({HostEventKind::Paint, 0, 0}, true);
            schedule_.Painting(tickCount_);
            return paint;
        }
    }
}

// Sleeps in the event wait until the user does something or another copy
// knocks; no timer wakes it.
HostEvent SdlHost::WaitWhileHidden() {
    SDL_Event event;
    while (NextEvent(options_.hiddenWaitMs, &event)) {
        if (auto answer = Answer(event, false)) return *answer;
    }
    return {};
}

// A knock (answered by the platform: None) or input for the game; either
// earns a paint right after it.
std::optional<HostEvent> SdlHost::Answer(const SDL_Event& event, bool windowShown) {
    if (event.type == wakeEvent_) {
        schedule_.Woken();
        return HostEvent{};
    }
    if (event.type == knockEvent_) {
        knockPending_ = true;
        schedule_.Woken();
        return HostEvent{};
    }
    const auto delivered = Translate(event);
    if (!delivered) return std::nullopt;
    schedule_.Woken();
    return Deliver(*delivered, windowShown);
}

void SdlHost::PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig& config, bool changed) {
    // Most paints present the picture already shown: only a new one is
    // converted, and it waits for the next refresh if one was just shown.
    if (changed) {
        ScreenToXrgb({memory, memory ? DisplayMemoryBytes(config) : 0}, config, kScreenWidth, frame_);
        framePending_ = true;
    }
    ShowPendingFrame();
}

void SdlHost::ShowPendingFrame() {
    const auto now = Clock::now();
    if (!framePending_ || !pacer_.MayRenderAt(now)) {
        return;
    }
    Render();
    pacer_.Rendered(now);
}

int SdlHost::ShowMessageBox(std::string_view caption, std::string_view text, std::uint32_t type) {
    (void)type;  // the game asks only for an OK box
    const std::string captionText(caption);
    const std::string bodyText(text);
    std::fprintf(stderr, "%s: %s\n", captionText.c_str(), bodyText.c_str());
    const int shown = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, captionText.c_str(),
                                               bodyText.c_str(), nullptr);
    return shown == 0 ? kIdOk : 0;
}

// Hidden, the game stays on the taskbar as a minimised window, so that the
// user can bring it back; shown, it comes up in front.
void SdlHost::WindowVisibilityChanged(bool visible) {
    gameShown_ = visible;
    restoreAsked_ = false;
    if (visible) {
        SDL_ShowWindow(window_);
        SDL_RestoreWindow(window_);
        SDL_RaiseWindow(window_);
        framePending_ = true;
        schedule_.Woken();
    } else if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) != 0) {
        SDL_MinimizeWindow(window_);
    }
}

void SdlHost::WakeLoop() {
    SDL_Event wake{};
    wake.type = wakeEvent_;
    SDL_PushEvent(&wake);
}

void SdlHost::WindowBroughtForward() { SDL_RaiseWindow(window_); }

void SdlHost::SetWindowIcon(const std::uint8_t* pixels, std::uint32_t width,
                            std::uint32_t height) {
    if (pixels == nullptr || width == 0 || height == 0 || width > kLargestIcon ||
        height > kLargestIcon) {
        std::fprintf(stderr, "mirelink: ignoring a window icon of %ux%u pixels\n", width, height);
        return;
    }
    std::vector<std::uint32_t> argb(std::size_t{width} * height);
    ConvertIcon(pixels, width, height, argb);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        argb.data(), static_cast<int>(width), static_cast<int>(height), 32,
        static_cast<int>(width * 4), SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return;
    }
    SDL_SetWindowIcon(window_, surface);
    SDL_FreeSurface(surface);
}

void SdlHost::HandOverReceived() {
    if (SessionRecorder* recorder = Recorder()) {
        recorder->RecordRelaunch();
    }
}

std::filesystem::path SdlHost::SaveScreenshot() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const auto path = NextScreenshotPath(options_.shotsDirectory, local, shotNumber_);
    const std::string error = SavePng(path, frame_);
    if (error.empty()) return path;
    std::fprintf(stderr, "mirelink: screenshot: %s\n", error.c_str());
    return {};
}

void SdlHost::ToggleFullScreen() {
    const Uint32 mode = fullScreen_ ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP;
    if (SDL_SetWindowFullscreen(window_, mode) != 0) {
        std::fprintf(stderr, "mirelink: %s\n", SdlFailure("cannot switch full screen").c_str());
        return;
    }
    fullScreen_ = !fullScreen_;
    framePending_ = true;
}

std::optional<HostEvent> SdlHost::Translate(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            // Not the window's close button (that is a window event): the
            // program is told to end, by a signal or the session going away.
            if (closeDelivered_) {
                return std::nullopt;
            }
            closeDelivered_ = true;
            return HostEvent{HostEventKind::Close, 0, 0};
        case SDL_WINDOWEVENT:
            return TranslateWindowEvent(event.window);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return TranslateButton(event.button);
        case SDL_KEYDOWN:
            HandleKey(event.key);
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

std::optional<HostEvent> SdlHost::TranslateWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_RESTORED:
            return RestoreIfHidden();
        case SDL_WINDOWEVENT_MINIMIZED:
            // Out of view: what a focus loss meant on the device, where only
            // another program covering the game took it away. A click on
            // another window leaves the game in view, and running.
            return gameShown_ ? std::optional{HostEvent{HostEventKind::FocusLost, 0, 0}} : std::nullopt;
        case SDL_WINDOWEVENT_CLOSE:
            return CloseRequest();
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_SHOWN:
            framePending_ = true;
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

// The close button and Alt+F4: the game may ask first. A hidden game has
// nobody to ask and simply closes.
std::optional<HostEvent> SdlHost::CloseRequest() {
    return HostEvent{gameShown_ ? HostEventKind::CloseRequest : HostEventKind::Close, 0, 0};
}

std::optional<HostEvent> SdlHost::RestoreIfHidden() {
    if (gameShown_ || restoreAsked_) {
        return std::nullopt;
    }
    restoreAsked_ = true;
    return HostEvent{HostEventKind::Restore, 0, 0};
}

std::optional<HostEvent> SdlHost::TranslateButton(const SDL_MouseButtonEvent& button) {
    if (button.button != SDL_BUTTON_LEFT) {
        return std::nullopt;
    }
    // A click on the hidden game's window brings it back; it is no pen press.
    if (!gameShown_) {
        return button.type == SDL_MOUSEBUTTONDOWN ? RestoreIfHidden() : std::nullopt;
    }
    const ScreenPoint point = WindowToScreen(button.x, button.y, WindowViewport());
    if (button.type == SDL_MOUSEBUTTONDOWN) {
        // A press while one is held means its release was lost (the window
        // was hidden meanwhile): this is a new press all the same.
        if (!IsOnScreen(point)) {
            return std::nullopt;
        }
        penDown_ = true;
        return HostEvent{HostEventKind::PenDown, point.x, point.y};
    }
    if (!penDown_) {
        return std::nullopt;
    }
    penDown_ = false;
    const ScreenPoint lifted = ClampToScreen(point);
    return HostEvent{HostEventKind::PenUp, lifted.x, lifted.y};
}

void SdlHost::HandleKey(const SDL_KeyboardEvent& key) {
    if (key.repeat != 0) {
        return;
    }
    if (IsAltEnter(key.keysym)) {
        ToggleFullScreen();
    } else if (key.keysym.sym == SDLK_F12) {
        const auto path = SaveScreenshot();
        if (!path.empty()) {
            std::printf("%s\n", path.c_str());
            std::fflush(stdout);
            if (recorder_ != nullptr) {
                recorder_->RecordScreenshot(path.string());
            }
        }
    }
}

HostEvent SdlHost::Deliver(const HostEvent& event, bool windowShown) {
    tickCount_ = options_.clock();
    // A hidden window gets no pen, focus or paint messages: the platform
    // drops such events, so the script must not replay them either.
    const bool reachesGame = windowShown || event.kind == HostEventKind::Close ||
                             event.kind == HostEventKind::CloseRequest || event.kind == HostEventKind::Restore;
    if (SessionRecorder* recorder = reachesGame ? Recorder() : nullptr) {
        recorder->RecordEvent(event, tickCount_);
    }
    return event;
}

SessionRecorder* SdlHost::Recorder() {
    if (recorder_ != nullptr || recordFailed_ || options_.recordPath.empty()) {
        return recorder_.get();
    }
    recordFile_ = std::make_unique<RecordingFile>(options_.recordPath.string(), options_.recordOverwrite);
    if (!recordFile_->IsOpen()) {
        recordFailed_ = true;
        std::fprintf(stderr, "mirelink: cannot write the recording %s: %s; not recording\n",
                     options_.recordPath.c_str(), recordFile_->Problem().c_str());
        return nullptr;
    }
    recorder_ = std::make_unique<SessionRecorder>(
        [this](std::string_view line) { return WriteRecording(line); }, startClock_);
    return recorder_.get();
}

// The recorder writes nothing more after the first line that fails, so this
// is said once.
bool SdlHost::WriteRecording(std::string_view line) {
    if (recordFile_->Write(line)) {
        return true;
    }
    recordFailed_ = true;
    std::fprintf(stderr, "mirelink: the recording %s is incomplete: %s; it stops here\n",
                 options_.recordPath.c_str(), recordFile_->Problem().c_str());
    return false;
}

bool SdlHost::EndRecording() {
    recorder_.reset();
    recordFile_.reset();
    options_.recordPath.clear();  // nothing after this is recorded
    return !recordFailed_;
}

Viewport SdlHost::WindowViewport() const {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    return FitViewport(width, height, fullScreen_ ? 0 : options_.scale);
}

void SdlHost::Render() {
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) == 0) {
        return;  // kept pending until the window is shown
    }
    SDL_UpdateTexture(texture_, nullptr, frame_.data(), kScreenWidth * 4);
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(renderer_, &width, &height);
    const Viewport viewport = FitViewport(width, height, fullScreen_ ? 0 : options_.scale);
    const SDL_Rect target{viewport.left, viewport.top, kScreenWidth * viewport.scale,
                          kScreenHeight * viewport.scale};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    SDL_RenderPresent(renderer_);
    framePending_ = false;
}

}  // namespace sdlhost
