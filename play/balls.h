// Frog balls: thrown by a curled creature or by a waking corner stone, they
// roll across the board in a straight line, spinning, and destroy the block
// they land on; a frog rises in its place.
#pragma once

// Once per tick during play, outside the intro and the closing heart.
void UpdateBalls();
