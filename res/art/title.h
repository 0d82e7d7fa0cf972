// The title picture and what is cut from it or laid over it.
#pragma once

#include <cairo.h>

namespace art {

// Where things sit on the 240x240 title picture; the intro draws the
// portraits and the sorceress's spell over it at these places.
inline constexpr double kHeroPortraitX = 22;
inline constexpr double kHeroPortraitY = 70;
inline constexpr double kHeroinePortraitX = 118;
inline constexpr double kHeroinePortraitY = 71;
inline constexpr double kSpellX = 51;
inline constexpr double kSpellY = 15;

// The heart of the title: its box on the picture.
inline constexpr double kTitleHeartX = 4;
inline constexpr double kTitleHeartY = 46;
inline constexpr double kTitleHeartW = 232;
inline constexpr double kTitleHeartH = 190;

void DrawTitleScene(cairo_t* cr);

// The sorceress's head centred on (cx, cy), `size` pixels tall.
void DrawSorceress(cairo_t* cr, double cx, double cy, double size);

// The little angel centred on (cx, cy), `size` pixels tall.
void DrawAngel(cairo_t* cr, double cx, double cy, double size);

}  // namespace art
