#include "hosts/web/web_host.h"

#include <emscripten.h>

#include <string>

#include "hosts/files/screen_pixels.h"

namespace webhost {
namespace {

using platform::HostEvent;
using platform::HostEventKind;

// The page keeps the input the program has not taken yet. Each entry is
// [kind, x, y] with the kinds of platform::HostEventKind.
EM_JS(int, TakePageEvent, (int* x, int* y), {
    const queue = Module.mirelinkPage.events;
    if (queue.length === 0) return 0;
    const [kind, ex, ey] = queue.shift();
    HEAP32[x >> 2] = ex;
    HEAP32[y >> 2] = ey;
    return kind;
});

// Resolves when input arrives, or after `timeout` ms (never, when negative).
EM_ASYNC_JS(void, WaitForPageEvent, (int timeout), {
    await Module.mirelinkPage.waitForEvent(timeout);
});

EM_JS(void, ShowFrame, (const std::uint8_t* rgba), {
    Module.mirelinkPage.showFrame(HEAPU8.subarray(rgba, rgba + 240 * 320 * 4));
});

EM_JS(void, ShowHidden, (int hidden), { Module.mirelinkPage.showHidden(hidden !== 0); });

EM_ASYNC_JS(void, ShowMessage, (const char* caption, const char* text), {
    await Module.mirelinkPage.showMessage(UTF8ToString(caption), UTF8ToString(text));
});

EM_JS(double, StartClockFromPage, (), { return Module.mirelinkPage.startClock(); });

EM_JS(void, ShowEnded, (), { Module.mirelinkPage.showEnded(); });

EM_JS(int, PageEventWaiting, (), { return Module.mirelinkPage.events.length > 0 ? 1 : 0; });

bool TakeEventWaiting() { return PageEventWaiting() != 0; }

std::optional<HostEvent> TakeEvent() {
    int x = 0;
    int y = 0;
    const int kind = TakePageEvent(&x, &y);
    if (kind == 0) return std::nullopt;
    return HostEvent{static_cast<HostEventKind>(kind), x, y};
}

}  // namespace

WebHost::WebHost(std::uint32_t startClock)
    : startClock_(startClock), startTime_(emscripten_get_now()), tickCount_(startClock) {}

// As on the desktop, the tick count is the time of the event being handled
// (or of the end of the last sleep): start-up reads exactly the start clock.
std::uint32_t WebHost::TickCount() { return tickCount_; }

std::uint32_t WebHost::Now() const {
    return startClock_ + static_cast<std::uint32_t>(emscripten_get_now() - startTime_);
}

// A slide's sleeps keep their total, as on the desktop.
void WebHost::Sleep(std::uint32_t milliseconds) {
    const double start = emscripten_get_now();
    const std::uint32_t wait = sleepRun_.Plan(milliseconds, Now());
    if (wait > 0) emscripten_sleep(wait);
    tickCount_ += static_cast<std::uint32_t>(emscripten_get_now() - start);
}

// The page sleeps until input or the game's next paint (PaintSchedule): a
// still screen costs nothing, a ticking game one wake a tick.
HostEvent WebHost::WaitForEvent(bool paintable) {
    schedule_.PaintDone();
    sleepRun_.End();
    for (;;) {
        if (const auto event = TakeEvent()) {
            tickCount_ = Now();
            schedule_.Woken();
            return *event;
        }
        const auto wait = paintable ? schedule_.WaitFrom(Now()) : std::nullopt;
        if (wait == 0u) {
            tickCount_ = Now();
            schedule_.Painting(tickCount_);
            return HostEvent{HostEventKind::Paint, 0, 0};
        }
        WaitForPageEvent(wait ? static_cast<int>(*wait) : -1);
        // Hidden, the page sleeps until the player or the page does something.
        if (!paintable && !TakeEventWaiting()) {
            tickCount_ = Now();
            return {};
        }
    }
}

void WebHost::PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig& config, bool changed) {
    // The page draws a new frame at the next animation frame; an unchanged
    // one is not sent at all.
    if (!changed) return;
    // In the desktop window's colours, laid out as the canvas takes them:
    // red, green, blue, opaque.
    ScreenToXrgb({memory, memory ? DisplayMemoryBytes(config) : 0}, config, sdlhost::kScreenWidth, xrgb_);
    for (std::size_t i = 0; i < xrgb_.size(); ++i) {
        rgba_[4 * i] = static_cast<std::uint8_t>(xrgb_[i] >> 16);
        rgba_[4 * i + 1] = static_cast<std::uint8_t>(xrgb_[i] >> 8);
        rgba_[4 * i + 2] = static_cast<std::uint8_t>(xrgb_[i]);
        rgba_[4 * i + 3] = 255;
    }
    ShowFrame(rgba_.data());
}

int WebHost::ShowMessageBox(std::string_view caption, std::string_view text, std::uint32_t) {
    const std::string captionText(caption);
    const std::string bodyText(text);
    ShowMessage(captionText.c_str(), bodyText.c_str());
    return 1;  // IDOK
}

void WebHost::WindowVisibilityChanged(bool visible) { ShowHidden(visible ? 0 : 1); }

std::uint32_t PageStartClock() { return static_cast<std::uint32_t>(StartClockFromPage()); }

void ShowProgramEnded() { ShowEnded(); }

}  // namespace webhost
