// A fresh game on a board drawn as text, and the random sequence seeded so
// that its next draw is a chosen one: the rare boards and draws the long
// plays never meet.
#pragma once

#include <cstdint>
#include <string_view>

#include "board/board.h"
#include "platform/coredll/coredll.h"
#include "state/game_state.h"
#include "tests/support/fresh_game.h"

namespace test_support {

// Rows 0 to 11: '|' vertical, '-' horizontal, 'L' up-right, 'r' right-down,
// '7' down-left, 'J' left-up, '#' corner stone, '.' bog.
inline void Lay(const char* const rows[kBoardSize]) {
    const char* const kinds = ".|-Lr7J";
    FreshGame();
    for (int y = 0; y < kBoardSize; ++y) {
        for (int x = 0; x < kBoardSize; ++x) {
            const char c = rows[y][x];
            KindAt(x, y) = c == '#' ? CornerStone : static_cast<std::int32_t>(std::string_view(kinds).find(c));
        }
    }
}

inline void SeedSoNextDrawIs(int draw) {
    unsigned seed = 0;
    for (crt::srand(seed); crt::rand() != draw; crt::srand(++seed)) {
    }
    crt::srand(seed);
}

}  // namespace test_support
