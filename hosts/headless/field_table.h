// The one list of the game state's fields, as the runner sees them. `state`,
// `expect` and `set` all walk this list, so a field added to GameState is
// added here once and is then written, compared and settable.
//
// A visitor offers four calls:
//   v(name, field)             a field shown in the state and settable;
//   v(name, field, rule)       the same, with the values `set` may write
//                              (into every number of a record or array);
//   v.ReadOnly(name, field)    shown, never written (a loaded picture, or a
//                              fixed value such as the intro's paths);
//   v.Omit(name, field)        not shown: pointers and the large buffers.
// Nested records (Cell, ImageRef, RECT, Point, CellPosition) have their own
// lists below; arrays are walked element by element by the visitor.
#pragma once

#include <cstdint>

#include "play/bloom.h"
#include "play/corner_stones.h"
#include "play/portraits.h"
#include "res/picture_ids.h"
#include "state/game_state.h"

// The values `set` may write into a field the game reads as a count, a
// divisor, a step of a product, an index into one of its fixed tables or a
// picture id: only those the game itself gives it. Any other would make the
// game read past a table, divide by zero, overflow, or wait for ever (a
// countdown below zero that never comes back to zero).
struct ValueRule {
    bool limited = false;  // false: any value of the field's type
    std::int64_t low = 0;
    std::int64_t high = 0;
    std::int64_t also = 0;  // one more value outside low to high, when hasAlso
    bool hasAlso = false;

    bool Accepts(std::int64_t v) const { return !limited || (v >= low && v <= high) || (hasAlso && v == also); }
};

constexpr ValueRule Range(std::int64_t low, std::int64_t high) { return {true, low, high, 0, false}; }
constexpr ValueRule RangeOr(std::int64_t low, std::int64_t high, std::int64_t also) {
    return {true, low, high, also, true};
}

inline constexpr ValueRule kBlockKindRule = RangeOr(Bog, 12, CornerStone);
inline constexpr ValueRule kActorAnimRule = Range(FlowerOpen, FlowerFly);
inline constexpr ValueRule kCellRule = Range(0, kBoardSize - 1);
// A cell's wait, up to the open flower's.
inline constexpr ValueRule kDelayRule = Range(0, kOpenFlowerWait);
// A cell's frame: its strips have at most 20.
inline constexpr ValueRule kCellFrameRule = Range(0, 20);
// Ticks a frame shows: each counter counts down to 0 from its period, which
// it is then given again.
inline constexpr ValueRule kFrameTicksRule = Range(0, 3);
inline constexpr ValueRule kTwoTicksRule = Range(0, 2);
// A ball's steps: five a cell, at most 22 cells from one corner to the other.
inline constexpr ValueRule kBallStepRule = Range(0, 110);
inline constexpr ValueRule kBallSpinRule = Range(0, 15);
inline constexpr ValueRule kTurnFrameRule = Range(0, 4);
// The five flowers of the meadow; 0 before a cell has bloomed.
inline constexpr ValueRule kBloomPictureRule = RangeOr(pictures::kPinkStarBloom, pictures::kYellowRedBloom, 0);
// Levels and scores a player can reach: the corner stones' sleep is divided
// by the level, a level places level + 2 actors, and the score only grows.
inline constexpr ValueRule kLevelRule = Range(1, 100000);
inline constexpr ValueRule kScoreRule = Range(0, 100000000);
inline constexpr ValueRule kRouteMoveRule = Range(0, kCellCount - 1);
// The route's points are cell centres.
inline constexpr ValueRule kRoutePointRule = Range(kCellPixels / 2, kBoardSize * kCellPixels - kCellPixels / 2);
// The faces' longest pause (a random draw below the spread is at most one
// less); they grow and shrink through 9 frames.
inline constexpr ValueRule kPortraitPauseRule = Range(0, kShortestPause + kPauseSpread - 1);
inline constexpr ValueRule kPortraitFrameRule = Range(0, 9);
// The walk: ten steps a move, two frames, each shown three ticks.
inline constexpr ValueRule kWalkStepRule = Range(0, 9);
inline constexpr ValueRule kWalkFrameRule = Range(0, 1);
// The corner stones' longest sleep, at level 1; they show 12 frames.
inline constexpr ValueRule kStoneSleepRule = Range(0, kShortestSleep + kSleepSpread - 1);
inline constexpr ValueRule kStoneFrameRule = Range(0, 12);
inline constexpr ValueRule kHelpPageRule = Range(0, 2);
// The intro's and the hearts' counters: each picks a frame or a point of a
// fixed path.
inline constexpr ValueRule kSpellFrameRule = Range(0, 3);
inline constexpr ValueRule kSpellPassRule = Range(0, 3);
inline constexpr ValueRule kShiftStepRule = Range(0, 20);
inline constexpr ValueRule kFlightPointRule = Range(0, 55);
inline constexpr ValueRule kShrinkFrameRule = Range(0, 10);
inline constexpr ValueRule kHeartFrameRule = Range(0, 15);

template <class Visitor>
void VisitFields(ImageRef& image, Visitor& v) {
    v.ReadOnly("width", image.width);
    v.ReadOnly("height", image.height);
    v.Omit("pixels", image.pixels);
}

template <class Visitor>
void VisitFields(RECT& rect, Visitor& v) {
    v("left", rect.left);
    v("top", rect.top);
    v("right", rect.right);
    v("bottom", rect.bottom);
}

template <class Visitor>
void VisitFields(Point& point, Visitor& v) {
    v("x", point.x);
    v("y", point.y);
}

template <class Visitor>
void VisitFields(CellPosition& position, Visitor& v) {
    v("row", position.row);
    v("column", position.column);
}

template <class Visitor>
void VisitFields(Cell& cell, Visitor& v) {
    v("active", cell.active);
    v("delay", cell.delay, kDelayRule);
    v("nextAnim", cell.nextAnim, kActorAnimRule);
    v("lastAnim", cell.lastAnim, kActorAnimRule);
    v("frame", cell.frame, kCellFrameRule);
    v("frameTicks", cell.frameTicks, kFrameTicksRule);
    v("ball1X", cell.ball1X, kCellRule);
    v("ball1Y", cell.ball1Y, kCellRule);
    v("ball2X", cell.ball2X, kCellRule);
    v("ball2Y", cell.ball2Y, kCellRule);
    v("originX", cell.originX, kCellRule);
    v("originY", cell.originY, kCellRule);
    v("rolling", cell.rolling);
    v("ball1Steps", cell.ball1Steps, kBallStepRule);
    v("ball2Steps", cell.ball2Steps, kBallStepRule);
    v("ball1Frame", cell.ball1Frame, kBallSpinRule);
    v("ball2Frame", cell.ball2Frame, kBallSpinRule);
    v("ball1Step", cell.ball1Step, kBallStepRule);
    v("ball2Step", cell.ball2Step, kBallStepRule);
    v("ballSetUp", cell.ballSetUp);
    v("turning", cell.turning);
    v("turnFrame", cell.turnFrame, kTurnFrameRule);
    v("turnTicks", cell.turnTicks, kTwoTicksRule);
    v("bloomImage", cell.bloomImage, kBloomPictureRule);
}

template <class Visitor>
void VisitShellAndPictureFields(GameState& g, Visitor& v) {
    v.Omit("instance", g.instance);
    v.Omit("mainWindow", g.mainWindow);
    v.Omit("display", g.display);
    v("skipNextKillFocus", g.skipNextKillFocus);

    v.Omit("decodeBuffer", g.decodeBuffer);
    v.ReadOnly("decodedPicture", g.decodedPicture);
    v.ReadOnly("blockImages", g.blockImages);
    v.ReadOnly("digitsImage", g.digitsImage);
    v.ReadOnly("titleImage", g.titleImage);
    v.ReadOnly("panelImage", g.panelImage);
    v.ReadOnly("bogTileImage", g.bogTileImage);
    v.ReadOnly("ballImage", g.ballImage);
    v.ReadOnly("heartMasks", g.heartMasks);
}

template <class Visitor>
void VisitBoardFields(GameState& g, Visitor& v) {
    v("kinds", g.kinds, kBlockKindRule);
    v("cells", g.cells);
    v("level", g.level, kLevelRule);
    v("score", g.score, kScoreRule);
    v("bankedScore", g.bankedScore, kScoreRule);
    v("route", g.route, kRoutePointRule);
    v("routeMoves", g.routeMoves, kRouteMoveRule);
    v("bloomStart", g.bloomStart);
    v("bloomPhase", g.bloomPhase);
    v("cellPressed", g.cellPressed);
    v("pressedCell", g.pressedCell, kCellRule);
}

template <class Visitor>
void VisitTickAndHeroFields(GameState& g, Visitor& v) {
    v("tickEnabled", g.tickEnabled);
    v("lastTickTime", g.lastTickTime);
    v("heroesWalking", g.heroesWalking);
    v("levelCompleteRunning", g.levelCompleteRunning);
    v("introRunning", g.introRunning);
    v("levelStartRunning", g.levelStartRunning);

    v("portraitCountdown", g.portraitCountdown, kPortraitPauseRule);
    v("portraitGrowFrame", g.portraitGrowFrame, kPortraitFrameRule);
    v("portraitGrowTicks", g.portraitGrowTicks, kFrameTicksRule);
    v("portraitShrinking", g.portraitShrinking);
    v("portraitShrinkFrame", g.portraitShrinkFrame, kPortraitFrameRule);
    v("portraitShrinkTicks", g.portraitShrinkTicks, kFrameTicksRule);

    // The steps a move takes are worked out from the speed on every tick.
    v.ReadOnly("walkStepsPerMove", g.walkStepsPerMove);
    v("walkStep", g.walkStep, kWalkStepRule);
    v("heroMove", g.heroMove, kRouteMoveRule);
    v("heroineMove", g.heroineMove, kRouteMoveRule);
    v("heroFrame", g.heroFrame, kWalkFrameRule);
    v("heroineFrame", g.heroineFrame, kWalkFrameRule);
    v("walkTicks", g.walkTicks, kFrameTicksRule);
    v("walkRestart", g.walkRestart);

    v("stoneTimer", g.stoneTimer, kStoneSleepRule);
    v("stoneActive", g.stoneActive);
    v("stoneFrame", g.stoneFrame, kStoneFrameRule);
    v("stoneTicks", g.stoneTicks, kTwoTicksRule);
    v("stoneRestart", g.stoneRestart);
}

template <class Visitor>
void VisitControlFields(GameState& g, Visitor& v) {
    v("gamePlaying", g.gamePlaying);
    // Up only while the display holds the panel it rolled in: the game rolls
    // out a panel whenever it sees the flag, so it is the game's to set.
    v.ReadOnly("modalShown", g.modalShown);
    v("helpPagesShown", g.helpPagesShown);
    v("answerYes", g.answerYes);
    v("exitConfirmPending", g.exitConfirmPending);
    v("stopConfirmPending", g.stopConfirmPending);
    v("nextLevelRequested", g.nextLevelRequested);
    v("startStopHeld", g.startStopHeld);
    v("helpHeld", g.helpHeld);
    v("aboutHeld", g.aboutHeld);
    v("exitHeld", g.exitHeld);
    v("minimiseHeld", g.minimiseHeld);
    v("stopFaceShown", g.stopFaceShown);
    v("yesRect", g.yesRect);
    v("noRect", g.noRect);
    v("prevPageRect", g.prevPageRect);
    v("nextPageRect", g.nextPageRect);
    v("helpPage", g.helpPage, kHelpPageRule);
}

template <class Visitor>
void VisitIntroAndHeartFields(GameState& g, Visitor& v) {
    v("introShrinking", g.introShrinking);
    v("introSpellArmed", g.introSpellArmed);
    v("introShiftRunning", g.introShiftRunning);
    v("introFlightRunning", g.introFlightRunning);
    v("introTitleCopyPending", g.introTitleCopyPending);
    v("introPathsPending", g.introPathsPending);
    v("introSpellFrame", g.introSpellFrame, kSpellFrameRule);
    v("introSpellPass", g.introSpellPass, kSpellPassRule);
    v("introShiftStep", g.introShiftStep, kShiftStepRule);
    v("introFlightPoint", g.introFlightPoint, kFlightPointRule);
    v("introShrinkFrame", g.introShrinkFrame, kShrinkFrameRule);
    v.Omit("introTitleCopy", g.introTitleCopy);
    v.Omit("introHeartMaskCopy", g.introHeartMaskCopy);
    // How much of the copies is read, and where the faces fly: never written.
    v.ReadOnly("introCopyWidth", g.introCopyWidth);
    v.ReadOnly("introCopyHeight", g.introCopyHeight);
    v.ReadOnly("heroPath", g.heroPath);
    v.ReadOnly("heroinePath", g.heroinePath);

    v("levelCompleteMaskPending", g.levelCompleteMaskPending);
    v("levelCompleteFrame", g.levelCompleteFrame, kHeartFrameRule);
    v("levelCompleteCountdown", g.levelCompleteCountdown, kTwoTicksRule);
    v("levelStartMaskPending", g.levelStartMaskPending);
    v("levelStartFrame", g.levelStartFrame, kHeartFrameRule);
    v("levelStartCountdown", g.levelStartCountdown, kTwoTicksRule);
}

// Every field of GameState, in declaration order.
template <class Visitor>
void VisitFields(GameState& g, Visitor& v) {
    VisitShellAndPictureFields(g, v);
    VisitBoardFields(g, v);
    VisitTickAndHeroFields(g, v);
    VisitControlFields(g, v);
    VisitIntroAndHeartFields(g, v);
}
