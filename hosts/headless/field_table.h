// The one list of the game state's fields, as the runner sees them. `state`,
// `expect` and `set` all walk this list, so a field added to GameState is
// added here once and is then written, compared and settable.
//
// A visitor offers four calls:
//   v(name, field)             a field shown in the state and settable;
//   v(name, field, rule)       the same, with the values `set` may write;
//   v.ReadOnly(name, field)    shown, never written (a loaded picture, or a
//                              fixed value such as the intro's paths);
//   v.Omit(name, field)        not shown: pointers and the large buffers.
// Nested records (Cell, ImageRef, RECT, Point, CellPosition) have their own
// lists below; arrays are walked element by element by the visitor.
#pragma once

#include <cstdint>

#include "state/game_state.h"

// The values `set` may write into a field whose value picks an entry of one
// of the game's fixed tables; anything else would make the game read past it.
struct ValueRule {
    const char* description = nullptr;  // null: any value of the field's type
    bool (*accepts)(std::int64_t value) = nullptr;
};

namespace field_rules {
inline bool IsBlockKind(std::int64_t v) { return (v >= Bog && v <= 12) || v == CornerStone; }
inline bool IsActorAnim(std::int64_t v) { return v >= FlowerOpen && v <= FlowerFly; }
inline bool IsHelpPage(std::int64_t v) { return v >= 0 && v <= 2; }
inline bool IsRouteMove(std::int64_t v) { return v >= 0 && v < kCellCount; }
inline bool IsLevel(std::int64_t v) { return v >= 1 && v <= 100000; }
inline bool IsScore(std::int64_t v) { return v >= 0 && v <= 100000000; }
inline bool IsBallSpin(std::int64_t v) { return v >= 0 && v <= 15; }
inline bool IsSpellFrame(std::int64_t v) { return v >= 0 && v <= 3; }
inline bool IsSpellPass(std::int64_t v) { return v >= 0 && v <= 3; }
inline bool IsShiftStep(std::int64_t v) { return v >= 0 && v <= 20; }
inline bool IsFlightPoint(std::int64_t v) { return v >= 0 && v <= 55; }
inline bool IsShrinkFrame(std::int64_t v) { return v >= 0 && v <= 10; }
inline bool IsHeartFrame(std::int64_t v) { return v >= 0 && v <= 15; }
inline bool IsTurnFrame(std::int64_t v) { return v >= 0 && v <= 4; }
}  // namespace field_rules

inline constexpr ValueRule kBlockKindRule{"0 to 12 or 99", field_rules::IsBlockKind};
inline constexpr ValueRule kActorAnimRule{"0 to 13", field_rules::IsActorAnim};
inline constexpr ValueRule kHelpPageRule{"0 to 2", field_rules::IsHelpPage};
inline constexpr ValueRule kRouteMoveRule{"0 to 143", field_rules::IsRouteMove};
// Levels and scores a player can reach: the corner stones' sleep is divided
// by the level, a level places level + 2 actors, and the score only grows.
inline constexpr ValueRule kLevelRule{"1 to 100000", field_rules::IsLevel};
inline constexpr ValueRule kScoreRule{"0 to 100000000", field_rules::IsScore};
inline constexpr ValueRule kBallSpinRule{"0 to 15", field_rules::IsBallSpin};
// The intro's and the hearts' counters: each picks a frame or a point of a
// fixed path.
inline constexpr ValueRule kSpellFrameRule{"0 to 3", field_rules::IsSpellFrame};
inline constexpr ValueRule kSpellPassRule{"0 to 3", field_rules::IsSpellPass};
inline constexpr ValueRule kShiftStepRule{"0 to 20", field_rules::IsShiftStep};
inline constexpr ValueRule kFlightPointRule{"0 to 55", field_rules::IsFlightPoint};
inline constexpr ValueRule kShrinkFrameRule{"0 to 10", field_rules::IsShrinkFrame};
inline constexpr ValueRule kHeartFrameRule{"0 to 15", field_rules::IsHeartFrame};
inline constexpr ValueRule kTurnFrameRule{"0 to 4", field_rules::IsTurnFrame};

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
    v("delay", cell.delay);
    v("nextAnim", cell.nextAnim, kActorAnimRule);
    v("lastAnim", cell.lastAnim, kActorAnimRule);
    v("frame", cell.frame);
    v("frameTicks", cell.frameTicks);
    v("ball1X", cell.ball1X);
    v("ball1Y", cell.ball1Y);
    v("ball2X", cell.ball2X);
    v("ball2Y", cell.ball2Y);
    v("originX", cell.originX);
    v("originY", cell.originY);
    v("rolling", cell.rolling);
    v("ball1Steps", cell.ball1Steps);
    v("ball2Steps", cell.ball2Steps);
    v("ball1Frame", cell.ball1Frame, kBallSpinRule);
    v("ball2Frame", cell.ball2Frame, kBallSpinRule);
    v("ball1Step", cell.ball1Step);
    v("ball2Step", cell.ball2Step);
    v("ballSetUp", cell.ballSetUp);
    v("turning", cell.turning);
    v("turnFrame", cell.turnFrame, kTurnFrameRule);
    v("turnTicks", cell.turnTicks);
    v("bloomImage", cell.bloomImage);
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
    v.ReadOnly("stripImage", g.stripImage);
    v.ReadOnly("buttonImage", g.buttonImage);
    v.ReadOnly("titleImage", g.titleImage);
    v.ReadOnly("panelImage", g.panelImage);
    v.ReadOnly("bogTileImage", g.bogTileImage);
    v.ReadOnly("cornerImage", g.cornerImage);
    v.ReadOnly("turningImage", g.turningImage);
    v.ReadOnly("actorImage", g.actorImage);
    v.ReadOnly("ballImage", g.ballImage);
    v.ReadOnly("stoneImage", g.stoneImage);
    v.ReadOnly("portraitImageRef", g.portraitImageRef);
    v.ReadOnly("walkImage", g.walkImage);
    v.ReadOnly("heartImage", g.heartImage);
    v.ReadOnly("heartMasks", g.heartMasks);
    v.ReadOnly("introImage", g.introImage);
}

template <class Visitor>
void VisitBoardFields(GameState& g, Visitor& v) {
    v("kinds", g.kinds, kBlockKindRule);
    v("cells", g.cells);
    v("turnTable", g.turnTable);
    v("kindCount", g.kindCount);
    v("level", g.level, kLevelRule);
    v("score", g.score, kScoreRule);
    v("bankedScore", g.bankedScore, kScoreRule);
    v("pathCompleteScratch", g.pathCompleteScratch);
    v("countConnectedScratch", g.countConnectedScratch);
    v("routeScratch", g.routeScratch);
    v("flowerScratch", g.flowerScratch);
    v("creatureScratch", g.creatureScratch);
    v("route", g.route);
    v("routeMoves", g.routeMoves, kRouteMoveRule);
    v("bloomStart", g.bloomStart);
    v("bloomPhase", g.bloomPhase);
    v("cellPressed", g.cellPressed);
    v("pressedCell", g.pressedCell);
}

template <class Visitor>
void VisitTickAndHeroFields(GameState& g, Visitor& v) {
    v("tickEnabled", g.tickEnabled);
    v("lastTickTime", g.lastTickTime);
    v("heroesWalking", g.heroesWalking);
    v("levelCompleteRunning", g.levelCompleteRunning);
    v("introRunning", g.introRunning);
    v("levelStartRunning", g.levelStartRunning);

    v("portraitImage", g.portraitImage);
    v.ReadOnly("portraitPosition", g.portraitPosition);
    v("portraitCountdown", g.portraitCountdown);
    v("portraitGrowFrame", g.portraitGrowFrame);
    v("portraitGrowTicks", g.portraitGrowTicks);
    v("portraitShrinking", g.portraitShrinking);
    v("portraitShrinkFrame", g.portraitShrinkFrame);
    v("portraitShrinkTicks", g.portraitShrinkTicks);

    v.ReadOnly("walkSpeed", g.walkSpeed);
    v("walkStepsPerMove", g.walkStepsPerMove);
    v("walkStep", g.walkStep);
    v("heroMove", g.heroMove, kRouteMoveRule);
    v("heroineMove", g.heroineMove, kRouteMoveRule);
    v("heroFrame", g.heroFrame);
    v("heroineFrame", g.heroineFrame);
    v("walkTicks", g.walkTicks);
    v("walkRestart", g.walkRestart);

    v("stoneTimer", g.stoneTimer);
    v("stoneActive", g.stoneActive);
    v("stoneFrame", g.stoneFrame);
    v("stoneTicks", g.stoneTicks);
    v("stoneRestart", g.stoneRestart);
}

template <class Visitor>
void VisitControlFields(GameState& g, Visitor& v) {
    v("gamePlaying", g.gamePlaying);
    v("modalShown", g.modalShown);
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
    v("helpPageImages", g.helpPageImages);
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
    v.ReadOnly("heroStart", g.heroStart);
    v.ReadOnly("heroineStart", g.heroineStart);
    v.ReadOnly("heroTarget", g.heroTarget);
    v.ReadOnly("heroineTarget", g.heroineTarget);
    v.ReadOnly("angleStep", g.angleStep);
    v.ReadOnly("phaseOffset", g.phaseOffset);
    v.ReadOnly("heroRadiusFactor", g.heroRadiusFactor);
    v.ReadOnly("heroineRadiusFactor", g.heroineRadiusFactor);

    v("levelCompleteMaskPending", g.levelCompleteMaskPending);
    v("levelCompleteFrame", g.levelCompleteFrame, kHeartFrameRule);
    v("levelCompleteCountdown", g.levelCompleteCountdown);
    v("levelStartMaskPending", g.levelStartMaskPending);
    v("levelStartFrame", g.levelStartFrame, kHeartFrameRule);
    v("levelStartCountdown", g.levelStartCountdown);
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
