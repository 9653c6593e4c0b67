#include "ui/inter_level.h"

#include <cstdio>

#include "audio/sound.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "render/text.h"
#include "ui/buttons.h"
#include "ui/shop.h"
#include "views/views.h"
#include "world/mission.h"

namespace {

constexpr const char* kBlanks40 = "                                        ";

char stageText[32];
char creditsText[32];
char rewardText[48];
char line1Text[52];
char line2Text[52];

TextId AddHiddenText(int32_t x, int32_t y, const char* blanks, FontId font) {
  const TextId id = TextAdd(-500, -500, blanks, font);
  TextSetVisible(id, 0);
  TextSetxy(id, x, y);
  return id;
}

void ShowInterLevel(bool visible) {
  const InterLevelScreenRecord& s = GameState.InterLevel;
  const int32_t value = visible ? 1 : 0;
  ViewsSetVisible({s.background, s.startButton, s.backButton, s.campaignHelpImage}, value);
  TextsSetVisible({s.stageText, s.creditsText, s.line1Text, s.line2Text, s.rewardText}, value);
  ShowShop(visible);
}

void FillBriefing() {
  InterLevelScreenRecord& s = GameState.InterLevel;
  const MissionRecord& m = GameState.currentMission;
  snprintf(stageText, sizeof stageText, "Stage: %d", m.levelNumber);
  TextSetText(s.stageText, stageText);
  snprintf(creditsText, sizeof creditsText, "CR: %d", GameState.credits);
  TextSetText(s.creditsText, creditsText);
  // The last mission pays nothing: its briefing promises no credits.
  if (m.nextLevel == -1) {
    snprintf(rewardText, sizeof rewardText, "The last mission of the campaign");
  } else {
    snprintf(rewardText, sizeof rewardText, "Reward: %d credits", m.reward);
  }
  switch (m.type) {
    case MissionCollect:
      snprintf(line1Text, sizeof line1Text, "Target: Collect %d samples", m.target);
      snprintf(line2Text, sizeof line2Text, "of calabrium ore");
      TextSetxy(s.line2Text, 425, 571);
      break;
    case MissionDestroy:
      snprintf(line1Text, sizeof line1Text, "Target:   Destroy %d infected", m.target);
      snprintf(line2Text, sizeof line2Text, "asteroids");
      TextSetxy(s.line2Text, 437, 571);
      break;
    case MissionProtect:
      snprintf(line1Text, sizeof line1Text, "Target:   Protect the cargo");
      snprintf(line2Text, sizeof line2Text, "  ship for %d seconds", m.target);
      break;
    case MissionSurvive:
      snprintf(line1Text, sizeof line1Text, "Target: Survive for %d", m.target);
      snprintf(line2Text, sizeof line2Text, "seconds");
      break;
    default: break;
  }
  TextSetText(s.line1Text, line1Text);
  TextSetText(s.line2Text, line2Text);
  TextSetText(s.rewardText, rewardText);
}

// Every frame: the screen and the briefing of the current mission.
bool InterLevelFrame() {
  ShowInterLevel(true);
  FillBriefing();
  return true;
}

void LeaveInterLevel() { ShowInterLevel(false); }

int InterLevelStartTouched(int phase, int, int) {
  if (!ButtonLiftedOutsideBox(phase, GameState.InterLevel.startButtonOver)) return 0;
  GameState.FreePlay = 0;
  ArmMission();
  SceneChange(SceneStartMission);
  Tap();
  return 0;
}

int InterLevelBackTouched(int phase, int, int) { return BackToMenu(phase, GameState.InterLevel.backButtonOver); }

}  // namespace

const Screen kInterLevelScreen = {nullptr, InterLevelFrame, LeaveInterLevel, PlayMenuMusic};

void CreateInterLevelScreen() {
  InterLevelScreenRecord& s = GameState.InterLevel;
  s.background = ViewAddHidden("Images/interLevel.png", 0, 0);
  s.startButton = ViewAddHidden("Images/smallStartBtn.png", 500, 680, InterLevelStartTouched);
  s.startButtonOver = PressedPicture(ViewAddHidden("Images/smallStartBtnOver.png", 500, 680));
  s.backButton = ViewAddHidden("Images/smallBackBtn.png", 354, 680, InterLevelBackTouched);
  s.backButtonOver = PressedPicture(ViewAddHidden("Images/smallBackBtnOver.png", 354, 680));
  s.stageText = AddHiddenText(353, 264, "             ", GameState.font20);
  s.creditsText = AddHiddenText(530, 269, "                  ", GameState.font14);
  s.line1Text = AddHiddenText(355, 551, kBlanks40, GameState.font14);
  s.line2Text = AddHiddenText(425, 571, kBlanks40, GameState.font14);
  s.rewardText = AddHiddenText(355, 592, kBlanks40, GameState.font14);
}
