#include "hosts/win32/win32_host.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <tpcshrd.h>

#include <cstdio>
#include <ctime>
#include <vector>

#include "hosts/files/screen_pixels.h"
#include "hosts/win32/png_shot.h"

namespace win32host {
namespace {

using platform::HostEvent;
using platform::HostEventKind;
using sdlhost::kScreenHeight;
using sdlhost::kScreenWidth;

constexpr wchar_t kClassName[] = L"MirelinkWindow";
// Windows 10 1803 and later; older systems refuse it and get the plain timer.
constexpr DWORD kHighResolutionTimer = 0x00000002;
constexpr int kIconResource = 1;

HWND Window(void* window) { return static_cast<HWND>(window); }

std::wstring Wide(std::string_view text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* host = reinterpret_cast<Win32Host*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (host != nullptr) {
        const LRESULT handled = host->Handle(message, wParam, lParam);
        if (handled != -1) return handled;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The window's outer size for a picture at `scale`.
SIZE OuterSize(int scale, DWORD style) {
    RECT rect{0, 0, kScreenWidth * scale, kScreenHeight * scale};
    AdjustWindowRectEx(&rect, style, FALSE, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The largest whole scale, no larger than `requested` (0: any), at which the
// window fits a monitor's work area, and why a requested one was reduced.
sdlhost::WindowScale ScaleFitting(int requested, const RECT& work) {
    const SIZE frame = OuterSize(0, kWindowStyle);
    return sdlhost::ChooseWindowScale(requested, work.right - work.left - frame.cx,
                                      work.bottom - work.top - frame.cy);
}

constexpr wchar_t kTabletProperty[] = L"MicrosoftTabletPenServiceProperty";

// The game answers a touch at once and gives holding or a second tap no
// meaning: the system's press-and-hold (a right click, after a wait), flicks,
// and the rings and ripples it draws over the picture for them are turned
// off for the window. The property is the Tablet PC way, from Windows 7; the
// feedback settings are Windows 8's, looked up when the program runs, so that
// it starts where they are missing.
void TurnOffTouchGestures(HWND window) {
    const DWORD off = TABLET_DISABLE_PRESSANDHOLD | TABLET_DISABLE_PENTAPFEEDBACK | TABLET_DISABLE_PENBARRELFEEDBACK |
                      TABLET_DISABLE_FLICKS;
    SetPropW(window, kTabletProperty, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(off)));
    using SetFeedback = BOOL(WINAPI*)(HWND, FEEDBACK_TYPE, DWORD, UINT32, const void*);
    // Through void (*)(), the one cast between function types GCC lets pass.
    const auto setFeedback = reinterpret_cast<SetFeedback>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetWindowFeedbackSetting")));
    if (setFeedback == nullptr) return;
    const BOOL shown = FALSE;
    for (unsigned type = FEEDBACK_TOUCH_CONTACTVISUALIZATION; type <= FEEDBACK_GESTURE_PRESSANDTAP; ++type) {
        setFeedback(window, static_cast<FEEDBACK_TYPE>(type), 0, sizeof shown, &shown);
    }
}

// A pointer message's fields; its point is on the screen, the window's is
// in the window.
PointerMessage ReadPointer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    using Kind = PointerMessage::Kind;
    PointerMessage pointer;
    pointer.kind = message == WM_POINTERDOWN     ? Kind::Down
                   : message == WM_POINTERUPDATE ? Kind::Update
                   : message == WM_POINTERUP     ? Kind::Up
                                                 : Kind::CaptureLost;
    pointer.id = GET_POINTERID_WPARAM(wParam);
    pointer.primary = IS_POINTER_PRIMARY_WPARAM(wParam);
    pointer.canceled = IS_POINTER_CANCELED_WPARAM(wParam);
    if (pointer.kind != Kind::CaptureLost) {
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(window, &point);
        pointer.x = point.x;
        pointer.y = point.y;
    }
    return pointer;
}

}  // namespace

std::unique_ptr<Win32Host> Win32Host::Open(Win32HostOptions options, std::string& error) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) == 0) {
        error = "cannot register the window class";
        return nullptr;
    }
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const sdlhost::WindowScale chosen = ScaleFitting(options.scale, work);
    if (!chosen.note.empty()) {
        std::fprintf(stderr, "mirelink: %s\n", chosen.note.c_str());
        if (options.scale != 0) {
            MessageBoxW(nullptr, Wide(chosen.note).c_str(), L"Mirelink", MB_OK | MB_ICONINFORMATION);
        }
    }
    const int requestedScale = options.scale;
    options.scale = chosen.scale;
    std::unique_ptr<Win32Host> host(new Win32Host(std::move(options)));
    host->requestedScale_ = requestedScale;
    const SIZE outer = OuterSize(chosen.scale, kWindowStyle);
    const HWND window = CreateWindowExW(0, kClassName, L"Mirelink", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                        outer.cx, outer.cy, nullptr, nullptr, instance, host.get());
    if (window == nullptr) {
        error = "cannot create the window (is there a display?)";
        return nullptr;
    }
    host->window_ = window;
    TurnOffTouchGestures(window);
    // A high-resolution timer where the system has one, else the plain one.
    host->timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
    if (host->timer_ == nullptr) host->timer_ = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    return host;
}

Win32Host::Win32Host(Win32HostOptions options)
    : options_(std::move(options)), tickCount_(GetTickCount()), startClock_(tickCount_) {}

Win32Host::~Win32Host() {
    EndRecording();
    if (timer_ != nullptr) CloseHandle(timer_);
    if (window_ != nullptr) {
        SetWindowLongPtrW(Window(window_), GWLP_USERDATA, 0);
        RemovePropW(Window(window_), kTabletProperty);
        DestroyWindow(Window(window_));
    }
}

void Win32Host::Sleep(std::uint32_t milliseconds) {
    const std::uint32_t start = GetTickCount();
    ::Sleep(sleepRun_.Plan(milliseconds, start));
    tickCount_ += GetTickCount() - start;
    if (recorder_ != nullptr) recorder_->ClockMovedUnseen();
}

void Win32Host::WaitFor(int waitMs) {
    HANDLE handles[2];
    DWORD count = 0;
    if (waitMs >= 0 && timer_ != nullptr) {
        // Relative, in 100 ns units.
        LARGE_INTEGER due;
        due.QuadPart = -10000LL * waitMs;
        SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE);
        handles[count++] = timer_;
    }
    const std::intptr_t knock = options_.handOver ? options_.handOver() : -1;
    if (knock != -1) handles[count++] = reinterpret_cast<HANDLE>(knock);
    const DWORD timeout = waitMs >= 0 && timer_ == nullptr ? static_cast<DWORD>(waitMs) : INFINITE;
    MsgWaitForMultipleObjectsEx(count, handles, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

HostEvent Win32Host::WaitForEvent(bool paintable) {
    schedule_.PaintDone();
    sleepRun_.End();
    for (;;) {
        MSG message;
        while (events_.empty() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!events_.empty()) {
            const HostEvent event = events_.front();
            events_.pop_front();
            schedule_.Woken();
            return Deliver(event);
        }
        const std::intptr_t knock = options_.handOver ? options_.handOver() : -1;
        if (knock != -1 && WaitForSingleObject(reinterpret_cast<HANDLE>(knock), 0) == WAIT_OBJECT_0) {
            schedule_.Woken();
            return {};  // the platform answers the knock
        }
        const auto paintWait = paintable ? schedule_.WaitFrom(GetTickCount()) : std::nullopt;
        if (paintWait == 0u) {
            const HostEvent paint = Deliver({HostEventKind::Paint, 0, 0});
            schedule_.Painting(tickCount_);
            return paint;
        }
        WaitFor(paintWait ? static_cast<int>(*paintWait) : -1);
    }
}

HostEvent Win32Host::Deliver(const HostEvent& event) {
    tickCount_ = GetTickCount();
    // A hidden window gets no pen, focus or paint messages: the platform
    // drops them, so the script must not replay them either.
    const bool reachesGame = gameShown_ || event.kind == HostEventKind::Close ||
                             event.kind == HostEventKind::CloseRequest || event.kind == HostEventKind::Restore;
    if (sdlhost::SessionRecorder* recorder = reachesGame ? Recorder() : nullptr) {
        recorder->RecordEvent(event, tickCount_);
    }
    return event;
}

// The recording starts with the first thing worth writing, so that a second
// copy that only hands over never creates the file.
sdlhost::SessionRecorder* Win32Host::Recorder() {
    if (recorder_ != nullptr || recordFailed_ || options_.recordPath.empty()) return recorder_.get();
    recordFile_ = _wfopen(options_.recordPath.c_str(), L"wb");
    if (recordFile_ == nullptr) {
        recordFailed_ = true;
        std::fprintf(stderr, "mirelink: cannot write the recording %s; not recording\n",
                     options_.recordPath.string().c_str());
        return nullptr;
    }
    recorder_ = std::make_unique<sdlhost::SessionRecorder>(
        [this](std::string_view line) {
            const bool written = std::fwrite(line.data(), 1, line.size(), recordFile_) == line.size() &&
                                 std::fflush(recordFile_) == 0;
            recordFailed_ = recordFailed_ || !written;
            return written;
        },
        startClock_);
    return recorder_.get();
}

bool Win32Host::EndRecording() {
    recorder_.reset();
    if (recordFile_ != nullptr) {
        recordFailed_ = std::fclose(recordFile_) != 0 || recordFailed_;
        recordFile_ = nullptr;
    }
    options_.recordPath.clear();
    return !recordFailed_;
}

void Win32Host::Queue(const HostEvent& event) { events_.push_back(event); }

std::intptr_t Win32Host::Handle(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (window_ == nullptr) return -1;  // still being created
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers the whole window
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            Pen(penFilter_.MouseButton(message == WM_LBUTTONDOWN, static_cast<std::uintptr_t>(GetMessageExtraInfo()),
                                          static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
            return 0;
        case WM_POINTERDOWN:
        case WM_POINTERUPDATE:
        case WM_POINTERUP:
        case WM_POINTERCAPTURECHANGED:
            // Handled, so the system makes no gesture of it; its mouse
            // messages, if it sends them all the same, the filter drops.
            Pen(penFilter_.Pointer(ReadPointer(Window(window_), message, wParam, lParam)));
            return 0;
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED) {
                // Out of view: what a focus loss meant on the device.
                if (gameShown_) Queue({HostEventKind::FocusLost, 0, 0});
            } else if (!gameShown_ && !restoreAsked_ && IsWindowVisible(Window(window_))) {
                // Restored from the taskbar: the same hand-over as a second start.
                restoreAsked_ = true;
                Queue({HostEventKind::Restore, 0, 0});
            }
            InvalidateRect(Window(window_), nullptr, FALSE);
            return 0;
        case WM_DPICHANGED:
            // Moved to a monitor of another pixel density: the largest whole
            // scale that fits there, where the system places the window.
            FitMonitorOf(*reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            // The close button and Alt+F4: the game may ask first; a hidden
            // game has nobody to ask and simply closes.
            Queue({gameShown_ ? HostEventKind::CloseRequest : HostEventKind::Close, 0, 0});
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if ((lParam & (1 << 30)) != 0) break;  // a key held down repeats nothing
            // Bit 29: Alt is down. F12 comes as a system key too when Alt
            // is held (or when the system missed Alt's release).
            if (Key(wParam, (lParam & (1 << 29)) != 0)) return 0;
            break;
        default:
            break;
    }
    return -1;
}

void Win32Host::Pen(const PenAction& action) {
    if (action.kind == PenAction::Kind::None) return;
    const bool down = action.kind == PenAction::Kind::Press;
    if (!gameShown_) {
        // A click on the hidden game's window brings it back; it is no pen press.
        if (down && !restoreAsked_) {
            restoreAsked_ = true;
            Queue({HostEventKind::Restore, 0, 0});
        }
        return;
    }
    const sdlhost::ScreenPoint point = sdlhost::WindowToScreen(action.x, action.y, WindowViewport());
    if (down) {
        if (!sdlhost::IsOnScreen(point)) return;
        SetCapture(Window(window_));
        penDown_ = true;
        Queue({HostEventKind::PenDown, point.x, point.y});
        return;
    }
    ReleaseCapture();
    if (!penDown_) return;
    penDown_ = false;
    const sdlhost::ScreenPoint lifted = sdlhost::ClampToScreen(point);
    Queue({HostEventKind::PenUp, lifted.x, lifted.y});
}

bool Win32Host::Key(std::uintptr_t key, bool altHeld) {
    if (key == VK_F12) {
        SaveScreenshot();
        return true;
    }
    if (key == VK_RETURN && altHeld) {
        ToggleFullScreen();
        return true;
    }
    return false;
}

void Win32Host::SaveScreenshot() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    std::filesystem::path path;
    std::error_code error;
    do {
        path = options_.shotsDirectory / ShotFileName(local, shotNumber_++);
    } while (std::filesystem::exists(path, error));
    if (!SavePngShot(path, frame_)) {
        std::fprintf(stderr, "mirelink: screenshot: cannot write %s\n", path.string().c_str());
        return;
    }
    std::printf("%s\n", path.string().c_str());
    std::fflush(stdout);
    if (sdlhost::SessionRecorder* recorder = Recorder()) recorder->RecordScreenshot(path.filename().string());
}

// Full screen: borderless over the whole monitor, the picture integer-scaled
// and centred; back: the window as it was.
void Win32Host::ToggleFullScreen() {
    const HWND window = Window(window_);
    if (!fullScreen_) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
        RECT rect{};
        GetWindowRect(window, &rect);
        savedRect_[0] = rect.left;
        savedRect_[1] = rect.top;
        savedRect_[2] = rect.right - rect.left;
        savedRect_[3] = rect.bottom - rect.top;
        savedStyle_ = GetWindowLongW(window, GWL_STYLE);
        SetWindowLongW(window, GWL_STYLE, WS_POPUP | WS_VISIBLE);
        const RECT& area = monitor.rcMonitor;
        SetWindowPos(window, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_FRAMECHANGED);
    } else {
        SetWindowLongW(window, GWL_STYLE, savedStyle_);
        SetWindowPos(window, nullptr, savedRect_[0], savedRect_[1], savedRect_[2], savedRect_[3],
                     SWP_FRAMECHANGED | SWP_NOZORDER);
    }
    fullScreen_ = !fullScreen_;
    InvalidateRect(window, nullptr, FALSE);
}

void Win32Host::FitMonitorOf(const RECT& suggested) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST), &monitor);
    options_.scale = ScaleFitting(requestedScale_, monitor.rcWork).scale;
    const SIZE outer = OuterSize(options_.scale, kWindowStyle);
    if (fullScreen_) {
        // Full screen fills the monitor already: the window comes back at
        // the new scale.
        savedRect_[2] = outer.cx;
        savedRect_[3] = outer.cy;
    } else {
        SetWindowPos(Window(window_), nullptr, suggested.left, suggested.top, outer.cx, outer.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(Window(window_), nullptr, FALSE);
}

sdlhost::Viewport Win32Host::WindowViewport() const {
    RECT client{};
    GetClientRect(Window(window_), &client);
    return sdlhost::FitViewport(client.right, client.bottom, fullScreen_ ? 0 : options_.scale);
}

void Win32Host::Paint() {
    const HWND window = Window(window_);
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    const sdlhost::Viewport viewport = WindowViewport();
    // Black around the picture, then the picture: no flicker between them.
    const int width = kScreenWidth * viewport.scale;
    const int height = kScreenHeight * viewport.scale;
    ExcludeClipRect(dc, viewport.left, viewport.top, viewport.left + width, viewport.top + height);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectClipRgn(dc, nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kScreenWidth;
    info.bmiHeader.biHeight = -kScreenHeight;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, viewport.left, viewport.top, width, height, 0, 0, kScreenWidth, kScreenHeight,
                  frame_.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    EndPaint(window, &paint);
}

void Win32Host::PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig& config, bool changed) {
    if (!changed) return;
    ScreenToXrgb({memory, memory ? DisplayMemoryBytes(config) : 0}, config, kScreenWidth, frame_);
    InvalidateRect(Window(window_), nullptr, FALSE);
    UpdateWindow(Window(window_));
}

int Win32Host::ShowMessageBox(std::string_view caption, std::string_view text, std::uint32_t type) {
    (void)type;  // the game asks only for an OK box
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    return MessageBoxW(Window(window_), Wide(text).c_str(), Wide(caption).c_str(), MB_OK | MB_ICONERROR);
}

// Hidden, the game stays on the taskbar as a minimised window, so that the
// user can bring it back; shown, it comes up in front.
void Win32Host::WindowVisibilityChanged(bool visible) {
    const HWND window = Window(window_);
    gameShown_ = visible;
    restoreAsked_ = false;
    if (visible) {
        ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(window);
        InvalidateRect(window, nullptr, FALSE);
        schedule_.Woken();
    } else if (IsWindowVisible(window) && !IsIconic(window)) {
        ShowWindow(window, SW_MINIMIZE);
    }
}

void Win32Host::WindowBroughtForward() { SetForegroundWindow(Window(window_)); }

void Win32Host::HandOverReceived() {
    if (recorder_ != nullptr) recorder_->RecordRelaunch();
}

}  // namespace win32host
