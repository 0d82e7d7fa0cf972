// The two lovers' faces, at any size: the same drawing serves the home
// cells, the growing and shrinking faces, the portraits and the title.
#pragma once

#include <cairo.h>

namespace art {

enum class Lover { Hero, Heroine };

// The head (hair included) centred on (cx, cy), `size` pixels tall.
void DrawFace(cairo_t* cr, Lover lover, double cx, double cy, double size, bool tear = false);

}  // namespace art
