// The path blocks: golden channels on olive ground.
#pragma once

#include <cairo.h>

#include "res/art/canvas.h"

namespace art {

// Block kind 1..6 in a 20x20 cell at the origin, its channel turned
// clockwise by `degrees` over the fixed ground.
void DrawBlock(cairo_t* cr, int kind, double degrees, Rgb ground);

// The same block lit up as part of a finished path.
void DrawLitBlock(cairo_t* cr, int kind);

}  // namespace art
