#include "world/mission.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/game_state.h"
#include "render/text.h"
#include "storage/levels.h"
#include "storage/user_files.h"
#include "world/cargo_ship.h"

namespace {

constexpr int32_t kFramesPerSecond = 30;  // the loop's pace: timed missions count seconds of it
constexpr int32_t kTimeBonus = 12;        // free-play points for every second survived
// A mission stays winnable while MissionAlive is not 0: the briefing's start sets it to 2, the
// cargo ship's loss to 0.
constexpr int32_t kMissionWinnable = 2;
constexpr int32_t kMissionLost = 0;
// Frames the round goes on once the objective is met, before the win (about a second).
constexpr int32_t kWinAfter = 30;
// Once a survival mission's time is up (or it is lost), the completion counter jumps to this,
// beyond kWinAfter: it wins on the next frame. The other kinds count the wait one frame at a time.
constexpr int32_t kSurvivalCompletion = 50;

char progressText[32];
char scoreDigits[16];

bool Winnable() { return GameState.MissionAlive != kMissionLost; }

void FreePlayProgress() {
  if (GameState.RoundFrame % kFramesPerSecond != 0) return;
  GameState.score += kTimeBonus;
  snprintf(scoreDigits, sizeof scoreDigits, "%d", GameState.score);
  TextSetText(GameState.GameButtons.scoreText, scoreDigits);
}

void WinMission() {
  MissionRecord& mission = GameState.currentMission;
  const int32_t nextLevel = mission.nextLevel;
  if (nextLevel != -1 && Winnable()) {
    // Paid in 64 bits and kept within 0 .. INT32_MAX, whatever a level file or a save holds.
    const int64_t paid = static_cast<int64_t>(GameState.credits) + mission.reward;
    GameState.credits = static_cast<int32_t>(std::clamp<int64_t>(paid, 0, INT32_MAX));
    const int32_t finished = mission.levelNumber;
    mission = LoadCampaignLevel(nextLevel, finished);
    GameState.campaignLevel = mission.levelNumber;
    SaveGame();
  }
  if (Winnable()) GameState.RoundOutcome = nextLevel == -1 ? RoundCampaignWon : RoundMissionWon;
}

// The label under the count, and whether the count is of seconds.
const char* ProgressLabel(MissionKind kind, bool* timed) {
  *timed = false;
  switch (kind) {
    case MissionCollect: return "Collected";
    case MissionDestroy: return "Destroyed";
    case MissionProtect:
    case MissionSurvive: *timed = true; return "seconds";
    default: return "";
  }
}

}  // namespace

void ArmMission() {
  GameState.currentMission.progress = 0;
  GameState.MissionAlive = kMissionWinnable;
}

bool ProtectMission() { return GameState.currentMission.type == MissionProtect; }

void LoseCargoShip() {
  CargoShipWreck();
  GameState.MissionAlive = kMissionLost;
  GameState.RoundOutcome = RoundCargoShipLost;
}

void CountCollectedOre() {
  if (GameState.currentMission.type == MissionCollect) GameState.currentMission.progress += 1;
}

void CountDestroyedInfected() {
  if (GameState.currentMission.type == MissionDestroy) GameState.currentMission.progress += 1;
}

void UpdateMissionProgress() {
  if (GameState.FreePlay == 1) {
    FreePlayProgress();
    return;
  }
  MissionRecord& mission = GameState.currentMission;
  bool timed = false;
  const char* label = ProgressLabel(mission.type, &timed);
  if (timed && GameState.RoundFrame % kFramesPerSecond == 0) mission.progress += 1;
  snprintf(progressText, sizeof progressText, "%d / %d", mission.progress, mission.target);
  TextSetText(GameState.GameButtons.scoreText, progressText);
  TextSetText(GameState.GameButtons.progressLabel, label);
  if (GameState.completionCounter > kWinAfter) WinMission();
}

void AdvanceCompletionCounter() {
  const MissionRecord& mission = GameState.currentMission;
  if (mission.progress < mission.target && Winnable()) return;
  if (mission.type == MissionSurvive) {
    GameState.completionCounter = kSurvivalCompletion;
  } else {
    GameState.completionCounter += 1;
  }
}
