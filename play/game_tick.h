// The game tick: run on every paint, at most one tick per 31 ms.
#pragma once

void GameTick();
