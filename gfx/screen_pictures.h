// The pictures the controls put over the play field: the title picture, and
// a panel rolled in.
#pragma once

// The title picture over the whole play field.
void DrawTitlePicture();

// Packed panel `id` rises into place over the play field; returns when it is up.
void RollInPackedPanel(int id);
