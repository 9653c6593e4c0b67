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
  GameButtonsRecord& strip = GameState.GameButtons;
  // The same see-through picture as the message box's backdrop, stretched over the screen.
  strip.pauseDim = ViewAddHidden("Images/mbBG.png", 0, 0);
  ViewSetImageSize(strip.pauseDim, kScreenWidth, kScreenHeight);
  strip.pausePanel = ViewAddHidden("Images/pausePanel.png", kPanelX, kPanelY);
  strip.resumeButton = ViewAddHidden("Images/resumeBtn.png", kButtonX, kResumeY, ResumeTouched);
  strip.resumeButtonOver = PressedPicture(ViewAddHidden("Images/resumeBtnOver.png", kButtonX, kResumeY));
  strip.leaveButton = ViewAddHidden("Images/leaveBtn.png", kButtonX, kLeaveY, LeaveTouched);
  strip.leaveButtonOver = PressedPicture(ViewAddHidden("Images/leaveBtnOver.png", kButtonX, kLeaveY));
}

void PausedFrame() {
  const GameButtonsRecord& strip = GameState.GameButtons;
  ViewsSetVisible({strip.pauseDim, strip.pausePanel, strip.resumeButton, strip.leaveButton, strip.pauseButtonOver}, 1);
}

void HidePauseOverlay() {
  const GameButtonsRecord& strip = GameState.GameButtons;
  ViewsSetVisible({strip.pauseDim, strip.pausePanel, strip.resumeButton, strip.resumeButtonOver, strip.leaveButton,
                   strip.leaveButtonOver, strip.pauseButtonOver},
                  0);
}

int ResumeTouched(int phase, int, int) {
  if (!PausedAndOpen() || !ButtonLifted(phase, GameState.GameButtons.resumeButtonOver)) return 0;
  Tap();
  HidePauseOverlay();
  SceneChange(ScenePlaying);
  return 0;
}

int LeaveTouched(int phase, int, int) {
  if (!PausedAndOpen() || !ButtonLifted(phase, GameState.GameButtons.leaveButtonOver)) return 0;
  Tap();
  // Cancel returns to the paused round as it was; OK leaves it as the round's back button does.
  const char* consequence = GameState.FreePlay == 1 ? "Its score will not be kept." : "The mission can be tried again.";
  char line3[52];
  CentreInMessageBox(consequence, line3, sizeof line3);
  char line2[52];
  CentreInMessageBox("Leave this round?", line2, sizeof line2);
  OpenMessageBox("", line2, line3, ScenePaused, 0, AbandonRound);
  return 0;
}
