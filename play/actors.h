// The bog during play: in every bog cell a flower opens and closes, a frog
// rises, dozes, wakes and sinks, a mound rises into a pool or a toadstool
// grows and shrinks, each waiting a random number of ticks on its last
// picture before the next. A tapped flower flies away and a tapped creature
// curls into a ball, each over the block that took its place.
#pragma once

#include <cstdint>

// Once per tick during play.
void UpdateActors();

// What comes after a flower, frog, mound or toadstool has left its cell: a
// wait of up to 199 ticks, then a flower with chance 1 in `odds`, else one
// of the three creatures. The draws come in that order.
void PickNextActor(int x, int y, std::int32_t odds);
