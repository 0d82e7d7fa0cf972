// Every game opens with a short scene over the new board: the sorceress casts
// her spell on the title picture, the colours around the lovers' heart
// flicker, and the two faces fly out of the heart, unwinding a spiral each,
// and shrink into the corner cells where the heroes wait.
#pragma once

// Once per tick, after every other drawing of the tick.
void RunIntro();
