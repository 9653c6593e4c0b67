// One frame of the game: a black fill, every visible view in id order, every visible text above
// them, then the present.
#pragma once

// Composes and presents one frame from the view and text tables.
void DrawViews();
