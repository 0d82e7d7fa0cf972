// The control strip below the play field: its background, the buttons, the
// labels, the level and score boxes, and the numbers in them.
#pragma once

#include <cstdint>

#include "gfx/layout.h"

// At every new level: loads the digits and draws the whole strip, the
// Start/Stop button with the face that `stopFaceShown` says.
void SetUpGameScreen();

// The raised or pressed picture of a button, at its place.
void DrawButton(const ButtonFace& face, bool pressed);

// Redraws the level or score field with `value` (0 leaves it empty) and
// presents it.
void ShowLevel(std::int32_t value);
void ShowScore(std::int32_t value);
