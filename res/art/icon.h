// The program's icon, drawn at any size: the window icon of the resource
// script and the icons the desktop shows for the installed program.
#pragma once

#include <cairo.h>

#include <array>
#include <string>

namespace art {

// The icon in a size x size square at the origin: a red heart over a golden
// path block. `rounded` gives the block rounded corners on a see-through
// ground, as desktop icons have; without it the icon covers every pixel, as
// the window icon must, having no see-through.
void DrawIcon(cairo_t* cr, double size, bool rounded);

// The sizes the desktop icons come in.
inline constexpr std::array kDesktopIconSizes{16, 32, 48, 64, 128, 192, 256, 512};

// Writes `outDir`/NxN/mirelink.png at every desktop size, RGBA with a
// see-through ground, and `outDir`/maskable/mirelink.png, 512 pixels without
// one, for phones; makes the folders; returns an empty string, or what went
// wrong.
std::string WriteDesktopIcons(const std::string& outDir);

}  // namespace art
