// What the player and the checks share about the board, by the game's own
// tables: the four corners as cell indices and a cell's column and row.
#pragma once

#include "board/board.h"
#include "gfx/layout.h"

namespace soak {

constexpr int kHeroHome = 0;                           // (0,0)
constexpr int kHeroineHome = kCellCount - 1;           // (11,11)
constexpr int kTopRightStone = kFarCell * kBoardSize;  // (11,0)
constexpr int kBottomLeftStone = kFarCell;             // (0,11)
constexpr RECT kScreenRect{0, 0, 240, 320};

constexpr int ColumnOf(int cell) { return cell / kBoardSize; }
constexpr int RowOf(int cell) { return cell % kBoardSize; }
inline bool IsCornerCell(int cell) { return IsCorner(ColumnOf(cell), RowOf(cell)); }

}  // namespace soak
