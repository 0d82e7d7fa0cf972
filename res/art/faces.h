// The two lovers' faces, at any size: the same drawing serves the home
// cells, the growing and shrinking faces, the portraits and the title.
#pragma once

#include <cairo.h>

namespace art {

enum class Lover { Hero, Heroine };

// The face on a lover's home cell: its size, and how far its centre lies
// from the screen corner the cell is in (both ways).
inline constexpr double kHomeFaceSize = 17;
inline constexpr double kHomeFaceInset = 9;

// The head (hair included) centred on (cx, cy), `size` pixels tall.
void DrawFace(cairo_t* cr, Lover lover, double cx, double cy, double size, bool tear = false);

// The same head seen from the side, looking right (`forward` 1) or left
// (-1), and from behind: the walking lovers' heads.
void DrawProfile(cairo_t* cr, Lover lover, double cx, double cy, double size, double forward);
void DrawBackOfHead(cairo_t* cr, Lover lover, double cx, double cy, double size);

}  // namespace art
