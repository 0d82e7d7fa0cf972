// The monkey: random pen events over every screen, biased toward the controls
// and the panels' answers, with pauses of every length, focus losses,
// relaunches and close requests; now and then it lets the player take over to
// push the game on to the walk and the hearts.
#pragma once

#include <array>
#include <cstdint>
#include <random>

#include "state/game_state.h"
#include "tests/soak/player.h"
#include "tests/soak/virtual_host.h"

namespace soak {

enum class Screen {
    Title, About, Help, ExitQuestion, StopQuestion, Intro, Play, Bloom, Walk, Hearts, LevelPanel, Hidden, Count
};
constexpr std::size_t kScreenCount = static_cast<std::size_t>(Screen::Count);
const char* ScreenName(Screen screen);
Screen ScreenOf(const GameState& state, bool shown);

class Monkey final : public Driver {
public:
    // Ends the program once `events` events have been delivered in all.
    Monkey(std::uint64_t seed, std::uint64_t events);
    bool Done() const override;
    const std::array<std::uint64_t, kScreenCount>& Visits() const { return visits_; }

private:
    void Plan(bool shown) override;
    void NewProgram() override { episode_ = 0; }
    void HandOut(const platform::HostEvent& event, bool shown) override;
    void PlanHidden();
    void PlanPanel();
    void PlanOpen();
    void Tap(int x, int y);
    void TapInside(const RECT& rect);
    void Paints(int count);
    void Push(platform::HostEventKind kind, int x = 0, int y = 0) { Driver::Push({kind, x, y}); }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }

    std::mt19937_64 random_;
    Player player_;
    std::uint64_t target_;
    int episode_ = 0;  // decisions left to the player
    std::array<std::uint64_t, kScreenCount> visits_{};
};

}  // namespace soak
