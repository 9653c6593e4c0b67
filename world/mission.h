// The rules of a mission while a round is played: the free-play time bonus, or a campaign
// mission's count, label, win, reward, next level and save; what keeps a mission winnable and
// what fails it. A win is reported in GameState.RoundOutcome.
#pragma once

// The briefing's start: the mission begins from nothing, winnable.
void ArmMission();
// Whether the current mission is one of protecting the cargo ship.
bool ProtectMission();
// A hazard destroyed the cargo ship: it is gone, and the mission can no longer be won.
void LoseCargoShip();
// The mission's count: a sample of ore collected, an infected asteroid destroyed.
void CountCollectedOre();
void CountDestroyedInfected();
// Once per played frame, after the world has moved and collided.
void UpdateMissionProgress();
// Right after: the count of frames since the objective was met or the mission was lost.
void AdvanceCompletionCounter();
