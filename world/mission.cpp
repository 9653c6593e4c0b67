#include "world/mission.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/game_state.h"
#include "render/text.h"
#include "storage/levels.h"
#include "storage/user_files.h"

namespace {

constexpr int32_t kFramesPerSecond = 30;
constexpr int32_t kTimeBonus = 12;
constexpr int32_t kWinAfter = 30;  // frames of waiting once the objective is met

char progressText[32];
char scoreDigits[16];

void FreePlayProgress() {
  if (GameState.RoundFrame % kFramesPerSecond != 0) return;
  GameState.score += kTimeBonus;
  snprintf(scoreDigits, sizeof scoreDigits, "%d", GameState.score);
  TextSetText(GameState.scoreText, scoreDigits);
}

void WinMission() {
  MissionRecord& mission = GameState.currentMission;
  const int32_t nextLevel = mission.nextLevel;
  if (nextLevel != -1 && GameState.MissionAlive != 0) {
    // Paid in 64 bits and kept within 0 .. INT32_MAX, whatever a level file or a save holds.
    const int64_t paid = static_cast<int64_t>(GameState.credits) + mission.reward;
    GameState.credits = static_cast<int32_t>(std::clamp<int64_t>(paid, 0, INT32_MAX));
    const int32_t finished = mission.levelNumber;
    mission = LoadCampaignLevel(nextLevel, finished);
    GameState.campaignLevel = mission.levelNumber;
    SaveGame();
  }
  if (GameState.MissionAlive != 0) GameState.RoundOutcome = nextLevel == -1 ? RoundCampaignWon : RoundMissionWon;
}

}  // namespace

void UpdateMissionProgress() {
  if (GameState.FreePlay == 1) {
    FreePlayProgress();
    return;
  }
  MissionRecord& mission = GameState.currentMission;
  const char* label = "";
  switch (mission.type) {
    case 'C': label = "Collected"; break;
    case 'D': label = "Destroyed"; break;
    case 'P':
    case 'S':
      if (GameState.RoundFrame % kFramesPerSecond == 0) mission.progress += 1;
      label = "seconds";
      break;
    default: break;
  }
  snprintf(progressText, sizeof progressText, "%d / %d", mission.progress, mission.target);
  TextSetText(GameState.scoreText, progressText);
  TextSetText(GameState.progressLabel, label);
  if (GameState.completionCounter > kWinAfter) WinMission();
}

void AdvanceCompletionCounter() {
  const MissionRecord& mission = GameState.currentMission;
  if (mission.progress < mission.target && GameState.MissionAlive != 0) return;
  if (mission.type == 'S') {
    GameState.completionCounter = 50;
  } else {
    GameState.completionCounter += 1;
  }
}
