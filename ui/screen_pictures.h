// The few ways the controls put pictures on the screen: a button face, the
// title picture over the play field, a panel rolled in, the level number.
#pragma once

#include <cstdint>

#include "ui/layout.h"

// The raised or pressed picture of a button, at its place.
void DrawButton(const ButtonFace& face, bool pressed);

// The title picture over the whole play field.
void DrawTitlePicture();

// Packed panel `id` rises into place over the play field; returns when it is up.
void RollInPackedPanel(int id);

// Redraws the level field with `value` (0 leaves it empty) and presents it.
void ShowLevel(std::int32_t value);
