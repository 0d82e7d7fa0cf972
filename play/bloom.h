// The meadow after a win: every cell off the path grows a bush and the bush
// blooms into one of five flowers. The first bush to finish sets the heroes
// walking.
#pragma once

// Once per tick while the path is finished.
void UpdateBloom();
