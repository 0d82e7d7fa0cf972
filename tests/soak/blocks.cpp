#include "tests/soak/blocks.h"

#include <initializer_list>

namespace soak {

namespace {

constexpr int Bit(Side side) { return 1 << side; }

// Openings of kinds 0 to 6: bog, vertical, horizontal, up-right, right-down,
// down-left, left-up.
constexpr int kOpenings[7] = {0,
                              Bit(Up) | Bit(Down),
                              Bit(Left) | Bit(Right),
                              Bit(Up) | Bit(Right),
                              Bit(Right) | Bit(Down),
                              Bit(Down) | Bit(Left),
                              Bit(Left) | Bit(Up)};

}  // namespace

bool Opens(std::int32_t kind, Side side) { return IsBlock(kind) && (kOpenings[kind] & Bit(side)) != 0; }

std::int32_t BlockOpening(Side a, Side b) {
    for (std::int32_t kind = 1; kind <= 6; ++kind) {
        if (kOpenings[kind] == (Bit(a) | Bit(b))) return kind;
    }
    return 0;
}

// The straights swap; the corners go round 3, 4, 5, 6, 3.
std::int32_t TurnedOnce(std::int32_t kind) {
    if (kind == 1 || kind == 2) return 3 - kind;
    if (kind >= 3 && kind <= 6) return kind == 6 ? 3 : kind + 1;
    return kind;
}

int TapsBetween(std::int32_t from, std::int32_t to) {
    if (!IsBlock(from) || !IsBlock(to)) return -1;
    std::int32_t kind = from;
    for (int taps = 0; taps < 4; ++taps) {
        if (kind == to) return taps;
        kind = TurnedOnce(kind);
    }
    return -1;
}

int CountJoinedToHomes(const std::int32_t* kinds) {
    bool reached[kCells] = {};
    int pending[kCells];
    int count = 0;
    for (int home : {kHeroHome, kHeroineHome}) {
        reached[home] = true;
        pending[count++] = home;
    }
    int joined = count;
    while (count > 0) {
        const int cell = pending[--count];
        for (Side side : {Up, Right, Down, Left}) {
            if (!Opens(kinds[cell], side)) continue;
            const int x = ColumnOf(cell) + StepX(side);
            const int y = RowOf(cell) + StepY(side);
            if (x < 0 || y < 0 || x >= kSide || y >= kSide) continue;
            const int next = Index(x, y);
            if (reached[next] || !Opens(kinds[next], Opposite(side))) continue;
            reached[next] = true;
            pending[count++] = next;
            ++joined;
        }
    }
    return joined;
}

}  // namespace soak
