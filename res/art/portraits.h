// The large portraits of the lovers, as they sit on the title picture.
#pragma once

#include <cairo.h>

namespace art {

// The face within a portrait frame whose top-left is the origin.
void DrawHeroPortrait(cairo_t* cr);
void DrawHeroinePortrait(cairo_t* cr);

// Where the face's centre sits in its portrait frame, and its height.
inline constexpr double kPortraitFaceX = 53;
inline constexpr double kHeroinePortraitFaceX = 49;
inline constexpr double kPortraitFaceY = 55;
inline constexpr double kPortraitFaceSize = 92;

}  // namespace art
