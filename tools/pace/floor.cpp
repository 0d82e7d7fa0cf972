#include "tools/pace/floor.h"

#include <SDL.h>
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 320;
constexpr auto kFrame = std::chrono::microseconds(1000000 / 32);

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Each wait that blocked is a voluntary switch, each preemption an
// involuntary one: together, the times the thread was woken.
long ThreadSwitches() {
    std::ifstream status("/proc/thread-self/status");
    long total = 0;
    std::string key;
    while (status >> key) {
        long value = 0;
        if ((key == "voluntary_ctxt_switches:" || key == "nonvoluntary_ctxt_switches:") && status >> value) {
            total += value;
        }
    }
    return total;
}

void DrawPicture(SDL_Texture* texture, std::vector<std::uint32_t>& pixels, int frame) {
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint32_t>(i * 2654435761u + frame);
    SDL_UpdateTexture(texture, nullptr, pixels.data(), kWidth * 4);
}

}  // namespace

ThreadUse MeasureUse() { return {ProcessCpuSeconds(), ThreadSwitches()}; }

bool RunFloor(bool draw, std::chrono::milliseconds length) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    SDL_Window* window = SDL_CreateWindow("floor", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 2 * kWidth,
                                          2 * kHeight, 0);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                                        SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight)
                                    : nullptr;
    if (texture == nullptr) return false;
    std::vector<std::uint32_t> pixels(kWidth * kHeight);
    using Clock = std::chrono::steady_clock;
    const ThreadUse before = MeasureUse();
    const auto start = Clock::now();
    auto next = start;
    for (int frame = 0; Clock::now() - start < length; ++frame) {
        next += kFrame;
        SDL_Event event;
        for (auto now = Clock::now(); now < next; now = Clock::now()) {
            const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - now).count();
            SDL_WaitEventTimeout(&event, static_cast<int>(wait));
        }
        if (!draw) continue;
        DrawPicture(texture, pixels, frame);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
    }
    const ThreadUse after = MeasureUse();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%.5f %.1f\n", (after.cpuSeconds - before.cpuSeconds) / seconds,
                static_cast<double>(after.wakeUps - before.wakeUps) / seconds);
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return true;
}
