// The heroes' faces in their corners: now and then, and at once when the
// player pokes a home cell, a face grows out of its corner to 40x40 pixels and
// shrinks back.
#pragma once

// Once per tick during play, outside the intro and the closing heart.
void UpdatePortraits();
