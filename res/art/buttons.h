// Buttons as the player sees them: raised, or pressed in.
#pragma once

#include <cairo.h>

#include <string_view>

#include "res/art/canvas.h"

namespace art {

enum class Press { Raised, Pressed };
enum class Symbol { Dash, Cross, Left, Right };

// A rounded button filling (x, y, w, h) with its label centred; a radius of
// half the height makes it an oval.
void DrawLabelButton(cairo_t* cr, double x, double y, double w, double h, double radius, std::string_view label,
                     double fontSize, Press press);

// A round button centred on (cx, cy) showing a symbol.
void DrawRoundButton(cairo_t* cr, double cx, double cy, double radius, Symbol symbol, Press press);

}  // namespace art
