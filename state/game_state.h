// All state of the game in one process-wide record. Every field is zero at
// process start except the initial values given here; nothing is reset except
// where the rules say so (the portraits, corner stones and help page survive
// new games).
#pragma once

#include <cstdint>

#include "platform/coredll/coredll.h"
#include "state/picture.h"

class DisplayDevice;

constexpr int kBoardSize = 12;                   // cells a side
constexpr int kCellCount = kBoardSize * kBoardSize;  // 144, indexed x * 12 + y
constexpr int kCellPixels = 20;
constexpr std::uint32_t kDecodeBufferBytes = 2507208;

// Kinds of the grid.
enum BlockKind : std::int32_t {
    Bog = 0,
    Vertical = 1,
    Horizontal = 2,
    UpRight = 3,
    RightDown = 4,
    DownLeft = 5,
    LeftUp = 6,
    // 7 to 12: the lit blocks of a finished path, kind - 6 lit.
    CornerStone = 99,
};
constexpr std::int32_t kLitOffset = 6;
constexpr std::int32_t ConnectedMark = 100;

// Actor animations kept in a cell's `nextAnim` and `lastAnim`.
enum ActorAnim : std::int32_t {
    FlowerOpen = 0,
    FlowerClose = 1,
    FrogRise = 2,
    FrogSink = 3,
    FrogDoze = 4,
    FrogCurl = 5,
    BushGrow = 6,
    FrogWake = 8,
    MoundRise = 9,
    Bloom = 10,
    MushroomGrow = 11,
    MushroomShrink = 12,
    FlowerFly = 13,
};

struct Point {
    std::int32_t x;
    std::int32_t y;
};

struct CellPosition {
    std::int32_t row;
    std::int32_t column;
};

// One board cell's record: its actor, the balls that start from it, the
// turning of its block and the flower that blooms in it after a win.
struct Cell {
    bool active;
    std::int32_t delay;
    std::int32_t nextAnim;
    std::int32_t lastAnim;
    std::int32_t frame;
    std::int32_t frameTicks;
    std::int32_t ball1X, ball1Y;
    std::int32_t ball2X, ball2Y;
    std::int32_t originX, originY;
    bool rolling;
    std::int32_t ball1Steps, ball2Steps;
    std::int32_t ball1Frame, ball2Frame;
    std::int32_t ball1Step, ball2Step;
    bool ballSetUp;
    bool turning;
    std::int32_t turnFrame;
    std::int32_t turnTicks;
    std::int32_t bloomImage;
};

inline int CellIndex(int x, int y) { return x * kBoardSize + y; }

struct GameState {
    // Made at start-up rather than stored in the program: the record is
    // megabytes of zeros around its few start values.
    GameState();

    // --- Application shell ---
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    DisplayDevice* display = nullptr;
    bool skipNextKillFocus = false;

    // --- Pictures ---
    alignas(8) std::uint8_t decodeBuffer[kDecodeBufferBytes] = {};
    std::int32_t decodedPicture = 0;  // the packed picture the decode buffer holds; 0 for none
    ImageRef blockImages[12] = {};   // kinds 1 to 12, indexed kind - 1
    ImageRef digitsImage = {};       // the digit strip of the number fields
    ImageRef titleImage = {};        // the title picture over the play field
    ImageRef panelImage = {};        // the panel being rolled in or redrawn
    ImageRef bogTileImage = {};
    ImageRef ballImage = {};
    ImageRef heartMasks = {};        // the heart masks, kept across the heart's ticks

    // --- Board ---
    std::int32_t kinds[kCellCount] = {};
    Cell cells[kCellCount] = {};
    std::int32_t level = 1;
    std::int32_t score = 0;
    std::int32_t bankedScore = 0;

    // The heroes' route: routeMoves + 1 cell centres from (10,10) to (230,230).
    Point route[kCellCount] = {};
    std::int32_t routeMoves = 0;
    bool bloomStart = false;
    bool bloomPhase = false;

    // --- Cell taps ---
    bool cellPressed = false;
    CellPosition pressedCell = {};

    // --- Game tick ---
    bool tickEnabled = false;
    std::uint32_t lastTickTime = 0;
    bool heroesWalking = false;
    bool levelCompleteRunning = false;
    bool introRunning = false;
    bool levelStartRunning = false;

    // --- Heroes' portraits (index 0 the hero, 1 the heroine) ---
    std::int32_t portraitCountdown[2] = {300, 300};
    std::int32_t portraitGrowFrame[2] = {0, 0};
    std::int32_t portraitGrowTicks[2] = {3, 3};
    bool portraitShrinking[2] = {false, false};
    std::int32_t portraitShrinkFrame[2] = {0, 0};
    std::int32_t portraitShrinkTicks[2] = {3, 3};

    // --- Heroes' walk ---
    std::int32_t walkStepsPerMove = 0;
    std::int32_t walkStep = 0;
    std::int32_t heroMove = 0;
    std::int32_t heroineMove = 0;
    std::int32_t heroFrame = 0;
    std::int32_t heroineFrame = 0;
    std::int32_t walkTicks = 3;
    bool walkRestart = true;

    // --- Corner stones (index 0 top right, 1 bottom left) ---
    std::int32_t stoneTimer = 300;
    bool stoneActive[2] = {false, false};
    std::int32_t stoneFrame[2] = {12, 12};
    std::int32_t stoneTicks[2] = {2, 2};
    bool stoneRestart[2] = {true, true};

    // --- Screen layout, buttons and dialogs ---
    bool gamePlaying = false;
    bool modalShown = false;
    bool helpPagesShown = false;
    bool answerYes = false;
    bool exitConfirmPending = false;
    bool stopConfirmPending = false;
    bool nextLevelRequested = false;
    bool startStopHeld = false;
    bool helpHeld = false;
    bool aboutHeld = false;
    bool exitHeld = false;
    bool minimiseHeld = false;
    bool stopFaceShown = false;
    RECT yesRect = {};
    RECT noRect = {};
    RECT prevPageRect = {};
    RECT nextPageRect = {};
    std::int32_t helpPage = 0;

    // --- Intro ---
    bool introShrinking = false;
    bool introSpellArmed = true;
    bool introShiftRunning = false;
    bool introFlightRunning = false;
    bool introTitleCopyPending = true;
    bool introPathsPending = true;
    std::int32_t introSpellFrame = 0;
    std::int32_t introSpellPass = 0;
    std::int32_t introShiftStep = 0;
    std::int32_t introFlightPoint = 0;
    std::int32_t introShrinkFrame = 0;
    Pixel32 introTitleCopy[240 * 240] = {};
    Pixel32 introHeartMaskCopy[240 * 240] = {};
    std::uint32_t introCopyWidth = 0;
    std::uint32_t introCopyHeight = 0;
    Point heroPath[55] = {};
    Point heroinePath[55] = {};

    // --- Level-complete and level-start hearts ---
    bool levelCompleteMaskPending = true;
    std::int32_t levelCompleteFrame = 0;
    std::int32_t levelCompleteCountdown = 0;
    bool levelStartMaskPending = true;
    std::int32_t levelStartFrame = 0;
    std::int32_t levelStartCountdown = 0;
};

extern GameState game;
