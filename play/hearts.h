// The hearts between two levels. When the heroes have met, a heart opens over
// the board showing the two together, the bonus is banked and the "Start new
// level" panel slides up; over the next level the heart closes again.
#pragma once

// Once per tick; each acts only while its own sequence runs.
void RunLevelCompleteHearts();
void RunLevelStartHearts();
