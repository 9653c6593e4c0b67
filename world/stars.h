// The round's backdrop: 50 stars drifting down at three speeds over one of six space pictures.
#pragma once

// Start-up: 50 star views, hidden.
void InitStars();
// Round start: every star at a random place and speed, shown.
void StartStars();
// Once per played frame: stars fall; one passing y 778 goes back to the top, hidden.
void UpdateStars();
void HideStars();
