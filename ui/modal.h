// The panels that own the pen while they are up: the help pages, the about
// page, the exit and stop questions. A panel closes at the pen-down on one
// of its answers; the answer is carried out at the pen-up that follows.
#pragma once

// Slides the panel away; a game in progress goes on ticking.
void CloseModal();

// Every tap on a panel: on a help page, "<" and ">" turn it (wrapping round
// both ways) and the page now current is drawn again.
void TurnHelpPage(int x, int y);

// The picture of the help page shown or last shown.
int CurrentHelpPageImage();

// The answers, at pen-up; each acts only when its question is pending.
void ResolveExitDialog();
void ResolveStopDialog();
