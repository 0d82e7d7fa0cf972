#include "board/ball_targets.h"

#include "board/board.h"
#include "board/random.h"

bool CanTakeBall(int x, int y) { return !KindIs(x, y, Bog) && !IsCorner(x, y); }

bool AnyBallTarget() {
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            if (CanTakeBall(x, y)) return true;
        }
    }
    return false;
}

Point DrawBallTarget() {
    for (;;) {
        const int tx = RandomBelow(kBoardSize);
        const int ty = RandomBelow(kBoardSize);
        if (CanTakeBall(tx, ty)) return {tx, ty};
    }
}
