// The screen the runner offers the game: `--display WIDTHxHEIGHT:FORMAT:BPP`.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "platform/host.h"

// FORMAT is 565, 555, 888 or raw format flags in hex (0x180). The pitches are
// those of plain display memory: BPP / 8 bytes a pixel (at least 1), rows
// packed. Returns the screen, or why the text does not describe one.
std::variant<platform::DisplayConfig, std::string> ParseDisplayOption(std::string_view text);
