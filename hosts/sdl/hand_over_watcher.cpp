#include "hosts/sdl/hand_over_watcher.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace sdlhost {
namespace {

// Waits until one of the descriptors is readable; its index, or -1 on error.
int WaitForEither(int first, int second) {
    pollfd entries[2] = {{first, POLLIN, 0}, {second, POLLIN, 0}};
    for (;;) {
        if (poll(entries, 2, -1) >= 0) break;
        if (errno != EINTR) return -1;
    }
    if (entries[1].revents != 0) return 1;
    return entries[0].revents != 0 ? 0 : -1;
}

void Drain(int eventFd) {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read_ = read(eventFd, &count, sizeof count);
}

void Signal(int eventFd) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(eventFd, &one, sizeof one);
}

}  // namespace

HandOverWatcher::HandOverWatcher(int channel, Uint32 eventType) : channel_(channel), eventType_(eventType) {
    answered_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    stop_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (channel_ < 0 || answered_ < 0 || stop_ < 0) return;
    thread_ = std::thread([this] { Run(); });
}

HandOverWatcher::~HandOverWatcher() {
    if (thread_.joinable()) {
        Signal(stop_);
        thread_.join();
    }
    if (answered_ >= 0) close(answered_);
    if (stop_ >= 0) close(stop_);
}

void HandOverWatcher::Answered() { Signal(answered_); }

void HandOverWatcher::Run() {
    for (;;) {
        // The stop comes second: a knock and a stop together still end it.
        if (WaitForEither(channel_, stop_) != 0) return;
        SDL_Event event{};
        event.type = eventType_;
        SDL_PushEvent(&event);
        if (WaitForEither(answered_, stop_) != 0) return;
        Drain(answered_);
    }
}

}  // namespace sdlhost
