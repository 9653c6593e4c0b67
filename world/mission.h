// Mission progress while a round is played: the free-play time bonus, or a campaign mission's
// count, label, win, reward, next level and save. A win is reported in GameState.RoundOutcome.
#pragma once

// Once per played frame, after the world has moved and collided.
void UpdateMissionProgress();
// The game loop's completion counter, right after: it starts once the objective is met or lost.
void AdvanceCompletionCounter();
