#include "ui/pause_overlay.h"

#include "core/game_state.h"
#include "core/scene.h"
#include "ui/buttons.h"
#include "ui/game_buttons.h"
#include "ui/message_box.h"
#include "views/views.h"

namespace {

constexpr int32_t kPanelX = 312, kPanelY = 234;
constexpr int32_t kButtonX = 387, kResumeY = 334, kLeaveY = 398;

bool PausedAndOpen() { return GameState.SceneState == ScenePaused && !MessageBoxIsOpen(); }

}  // namespace

void CreatePauseOverlay() {
  // The same see-through picture as the message box's backdrop, stretched over the screen.
  GameState.pauseDim = ViewAddHidden("Images/mbBG.png", 0, 0);
  ViewSetImageSize(GameState.pauseDim, kScreenWidth, kScreenHeight);
  GameState.pausePanel = ViewAddHidden("Images/pausePanel.png", kPanelX, kPanelY);
  GameState.resumeButton = ViewAddHidden("Images/resumeBtn.png", kButtonX, kResumeY, ResumeTouched);
  GameState.resumeButtonOver = ViewAddHidden("Images/resumeBtnOver.png", kButtonX, kResumeY);
  GameState.leaveButton = ViewAddHidden("Images/leaveBtn.png", kButtonX, kLeaveY, LeaveTouched);
  GameState.leaveButtonOver = ViewAddHidden("Images/leaveBtnOver.png", kButtonX, kLeaveY);
}

void PausedFrame() {
  ViewsSetVisible({GameState.pauseDim, GameState.pausePanel, GameState.resumeButton, GameState.leaveButton,
                   GameState.pauseButtonOver},
                  1);
}

void HidePauseOverlay() {
  ViewsSetVisible({GameState.pauseDim, GameState.pausePanel, GameState.resumeButton, GameState.resumeButtonOver,
                   GameState.leaveButton, GameState.leaveButtonOver, GameState.pauseButtonOver},
                  0);
}

int ResumeTouched(int phase, int, int) {
  if (!PausedAndOpen() || !ButtonLifted(phase, GameState.resumeButtonOver)) return 0;
  Tap();
  HidePauseOverlay();
  SceneChange(ScenePlaying);
  return 0;
}

int LeaveTouched(int phase, int, int) {
  if (!PausedAndOpen() || !ButtonLifted(phase, GameState.leaveButtonOver)) return 0;
  Tap();
  // Cancel returns to the paused round as it was; OK leaves it as the round's back button does.
  const char* consequence = GameState.FreePlay == 1 ? "Its score will not be kept." : "The mission can be tried again.";
  char line3[52];
  CentreInMessageBox(consequence, line3, sizeof line3);
  char line2[52];
  CentreInMessageBox("Leave this round?", line2, sizeof line2);
  OpenMessageBox("", line2, line3, ScenePaused, 0, LeaveRound);
  return 0;
}
