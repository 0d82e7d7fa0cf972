// The pictures of the bog's actors: every animation is a strip of 20x20
// frames played in its cell, and between two animations an actor waits on
// the last frame of the one it played.
#pragma once

#include <cstdint>

struct ActorStrip {
    int picture;
    std::int32_t frames;
    // Ticks each frame shows; 0 for the doze and the wake, whose frame
    // advances on every tick.
    std::int32_t ticksPerFrame;
    // The frames have white in them and are drawn over the plain bog tile.
    bool overBogTile;
};

// The strip that animation `anim` plays during play, or null for the codes
// that play nothing then (the bush, the bloom, 7, and anything outside the
// table).
const ActorStrip* PlayStripOf(std::int32_t anim);

// One tick of cell (x, y)'s animation on `strip`: draws the current frame and
// advances it. True, drawing nothing, once the frames are used up; the cell
// then keeps the frame of the tick before.
bool StepStrip(int x, int y, const ActorStrip& strip);

// The last frame of the cell's `lastAnim`, alone (no bog tile under it);
// nothing for an animation that has no wait picture.
void DrawWaitPicture(int x, int y);

// Frame `frame` of picture `picture` in cell (x, y); nothing when the
// picture did not load or has no such frame.
void DrawActorFrame(int x, int y, int picture, std::int32_t frame, bool overBogTile);
