// After a win the hero and the heroine leave their corners and walk toward
// each other along the route of the finished path; next to each other, they
// have met, and the opening heart begins in that same tick.
#pragma once

// Once per tick; acts only while the heroes walk.
void UpdateWalk();
