// The board: 12 x 12 cells of 20 x 20 pixels, a block kind and a cell record
// in each, indexed x * 12 + y. The kinds, their openings and the two cell
// predicates the path code asks; DrawBoard puts the blocks on the screen.
#pragma once

#include <cstdint>

#include "res/picture_ids.h"
#include "state/game_state.h"

// The four sides of a cell, in the order the flood looks at them.
enum class Side { Left, Up, Down, Right };

struct SideStep {
    int dx;
    int dy;
};

constexpr SideStep StepTo(Side side) {
    switch (side) {
        case Side::Left: return {-1, 0};
        case Side::Up: return {0, -1};
        case Side::Down: return {0, 1};
        case Side::Right: return {1, 0};
    }
    return {0, 0};
}

constexpr Side Opposite(Side side) {
    switch (side) {
        case Side::Left: return Side::Right;
        case Side::Up: return Side::Down;
        case Side::Down: return Side::Up;
        case Side::Right: return Side::Left;
    }
    return side;
}

constexpr Side kAllSides[4] = {Side::Left, Side::Up, Side::Down, Side::Right};

// A tap turns a block a quarter turn: the kind each kind becomes (the lit
// kinds and the corners never turn).
constexpr std::int32_t kTurnTable[13] = {0, 2, 1, 4, 5, 6, 3, 8, 9, 10, 11, 12, 13};

// The kinds of block a level or a tap draws from: 1 to 6.
constexpr std::int32_t kKindCount = 6;

// A block of path that can turn: kinds 1 to 6, not the bog, a lit block or
// a corner.
constexpr bool IsBlock(std::int32_t kind) { return kind >= Vertical && kind <= LeftUp; }

// Whether block kind 1 to 6 opens toward `side`. Every other value (bog,
// corner stones, lit blocks, marked cells) opens nowhere.
bool OpensToward(std::int32_t kind, Side side);

inline bool InsideBoard(int x, int y) { return x >= 0 && x < kBoardSize && y >= 0 && y < kBoardSize; }

// The far column and row: the heroine's home is (kFarCell, kFarCell).
constexpr int kFarCell = kBoardSize - 1;

// The hero's home (0,0) and the heroine's (11,11).
inline bool IsHome(int x, int y) { return (x == 0 && y == 0) || (x == kFarCell && y == kFarCell); }
// The two closed corners, (0,11) and (11,0), where the stones sit.
inline bool IsStoneCorner(int x, int y) { return (x == 0 && y == kFarCell) || (x == kFarCell && y == 0); }
inline bool IsCorner(int x, int y) { return IsHome(x, y) || IsStoneCorner(x, y); }

// True when (x, y) is on the board and its kind is greater than v; with
// v = ConnectedMark it asks whether a flood has reached the cell.
bool KindAbove(int x, int y, std::int32_t v);

// True when (x, y) is on the board and its kind equals v.
bool KindIs(int x, int y, std::int32_t v);

inline std::int32_t& KindAt(int x, int y) { return game.kinds[CellIndex(x, y)]; }
inline Cell& CellAt(int x, int y) { return game.cells[CellIndex(x, y)]; }

// After a win, an off-path cell grows a bush from its first frame: its
// actor, its balls in flight and its turning are forgotten. The cell keeps
// its wait picture, its balls' spin and its flower.
void PlantBush(Cell& cell);

// Cells of kind Bog: the cells that hold actors during play.
int CountBogCells();

// Picture ids of the blocks, indexed kind - 1 (kinds 1 to 6, then the lit
// kinds 7 to 12).
constexpr int kBlockPictureIds[12] = {
    pictures::kVertical,    pictures::kHorizontal,    pictures::kUpRight,    pictures::kRightDown,
    pictures::kDownLeft,    pictures::kLeftUp,        pictures::kLitVertical, pictures::kLitHorizontal,
    pictures::kLitUpRight,  pictures::kLitRightDown,  pictures::kLitDownLeft, pictures::kLitLeftUp};
constexpr int kHeroHomePicture = pictures::kHeroHome;
constexpr int kHeroineHomePicture = pictures::kHeroineHome;
constexpr int kBottomLeftStonePicture = pictures::kBottomLeftStone;
constexpr int kTopRightStonePicture = pictures::kTopRightStone;
constexpr int kHeroHomeEmptyPicture = pictures::kHeroHomeEmpty;
constexpr int kHeroineHomeEmptyPicture = pictures::kHeroineHomeEmpty;

// At every new level: the pictures of the blocks and the bog tile.
void LoadBoardPictures();

// Draws every block of the board and the four corner pictures into the back
// buffer. Bog and corner-stone cells are left to the actors.
void DrawBoard();

// The two home cells without their faces, over what the board drew there:
// the heroes have left their corners (the walk, the intro's flight).
void DrawHomesWithoutHeroes();
