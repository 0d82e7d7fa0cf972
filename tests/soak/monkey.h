// The monkey: random pen events over every screen, biased toward the controls
// and the panels' answers, with pauses of every length, focus losses,
// relaunches and close requests; now and then it lets the player take over to
// push the game on to the walk and the hearts.
#pragma once

#include <cstdint>
#include <random>

#include "state/game_state.h"
#include "tests/soak/player.h"
#include "tests/soak/virtual_host.h"

namespace soak {

class Monkey final : public Driver {
public:
    // Ends the program once `events` events have been delivered in all.
    Monkey(std::uint64_t seed, std::uint64_t events);
    bool Done() const override;

private:
    void Plan(bool shown) override;
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
};

}  // namespace soak
