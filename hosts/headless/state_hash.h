// Hashes of the game state's fields and of the screen, for the golden trace:
// FNV-1a 64 over values written as fixed-width little-endian bytes, folded to
// 32 bits, so that every platform hashes alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "hosts/headless/screenshot.h"
#include "platform/platform.h"
#include "state/game_state.h"

// A field of the state and the hash of its value.
using FieldHashes = std::vector<std::pair<std::string, std::uint32_t>>;

// FNV-1a 64 over `bytes`, continuing from `hash`, and its 32-bit fold.
constexpr std::uint64_t kFnvOffset = 0xcbf29ce484222325ULL;
std::uint64_t Fnv1a(std::uint64_t hash, const std::uint8_t* bytes, std::size_t count);
constexpr std::uint32_t Fold(std::uint64_t hash) { return static_cast<std::uint32_t>(hash ^ (hash >> 32)); }

// Every field of the state, in the order the code declares them, then
// "platform" (the window, the display and the random sequence). Left out: the
// picture slots, which point into memory; the time of the last
// tick, which is the clock of the line a tick writes; and the count of frames
// presented, which grows on every paint (a change in a panel slide's frames
// shows in the clock, since the slide sleeps between them).
FieldHashes HashStateFields(GameState& state, const platform::Status& status);
// The display memory as the host last received it; 0 before the first frame.
std::uint32_t HashScreen(const PresentedFrame* frame);
