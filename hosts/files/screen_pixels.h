// The handheld's display memory as the pixels of a desktop picture: the one
// colour rule the window, the page and the runner's shots all show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/host.h"

// Bytes of display memory that hold a screen's rows, packed as its pitch says
// (none for a pitch that runs backwards).
std::size_t DisplayMemoryBytes(const platform::DisplayConfig& config);

// Display memory laid out as `config` says (16-bit little-endian pixels
// addressed by its pitches) as 0x00RRGGBB pixels, `width` to a row, top row
// first, as many rows as `picture` holds. The game writes 5-6-5 whenever the
// display offers it, even with the 5-5-5 flag also set, else its own 5-5-5
// with green in bits 6-10 and blue in bits 1-5. Short channels are widened by
// repeating their top bits, so that full intensity stays 255. What neither the
// display nor its memory covers is black, and so is all of a display that is
// not 16 bits.
void ScreenToXrgb(std::span<const std::uint8_t> memory, const platform::DisplayConfig& config,
                  std::uint32_t width, std::span<std::uint32_t> picture);
