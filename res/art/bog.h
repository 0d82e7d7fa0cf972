// The bog and the little lives in it, shared by the bog pictures, the help
// pages and the title.
#pragma once

#include <cairo.h>

#include <cmath>

namespace art {

// The plain bog cell (olive mud with reed sprigs) at (x, y), 20x20.
void PaintBog(cairo_t* cr, double x, double y);

// The white and orange flower in a 20x20 cell at the origin; 0 is bare
// reeds, 1 the open flower.
void DrawFlower(cairo_t* cr, double growth);

// The green frog in a 20x20 cell at the origin, risen out of the mud by
// `risen` (0 under, 1 sitting), eyes open by `eyesOpen`.
void DrawFrog(cairo_t* cr, double risen, double eyesOpen);

// The turn of the ball strip's frame 8 of 16, the frame a thrown ball starts
// rolling from: half a turn. (The second ball of a pair starts from frame 0,
// not turned, half a turn apart.)
inline constexpr double kBallFirstTurn = M_PI;

// The curled-up frog ball centred on (cx, cy), turned by `angle` radians.
void DrawFrogBall(cairo_t* cr, double cx, double cy, double radius, double angle);

// The red toadstool in a 20x20 cell at the origin, 0 gone, 1 full size.
void DrawToadstool(cairo_t* cr, double size);

}  // namespace art
