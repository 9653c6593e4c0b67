#include "ui/menu.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "platform/platform.h"
#include "storage/levels.h"
#include "ui/buttons.h"
#include "ui/message_box.h"
#include "views/views.h"

namespace {

constexpr int32_t kMenuReady = 100;

// Menu buttons act only on the menu itself and never under the message box.
bool MenuActive() { return GameState.SceneState == SceneMainMenu && !MessageBoxIsOpen(); }

void SetMenuButtonsVisible(int32_t value) {
  const MenuScreenRecord& menu = GameState.Menu;
  ViewsSetVisible({menu.startButton, menu.freePlayButton, menu.optionsButton, menu.helpButton, menu.scoresButton},
                  value);
  ViewSetVisible(menu.quitButton, PlatformCanQuit() ? value : 0);
}

// The logo and the four buttons.
void SetMenuVisible(int32_t value) {
  ViewSetVisible(GameState.Menu.logoView, value);
  SetMenuButtonsVisible(value);
}

int StartTouched(int phase, int, int) {
  if (!MenuActive() || !ButtonLifted(phase, GameState.Menu.startButtonOver)) return 0;
  Tap();
  GameState.currentMission = LoadCampaignLevel(GameState.campaignLevel, 1);
  SceneChangeAfterFade(SceneInterLevel);
  return 0;
}

int FreePlayTouched(int phase, int, int) {
  if (!MenuActive() || !ButtonLifted(phase, GameState.Menu.freePlayButtonOver)) return 0;
  GameState.FreePlay = 1;
  SceneChangeAfterFade(SceneStartFreePlay);
  Tap();
  return 0;
}

// A menu button that only leads to another screen: lifted on it, the menu fades out to that scene.
int FadeOutTo(int phase, ViewId pressedPicture, int32_t scene) {
  if (!MenuActive() || !ButtonLifted(phase, pressedPicture)) return 0;
  Tap();
  SceneChangeAfterFade(scene);
  return 0;
}

int OptionsTouched(int phase, int, int) { return FadeOutTo(phase, GameState.Menu.optionsButtonOver, SceneOptions); }
int HelpTouched(int phase, int, int) { return FadeOutTo(phase, GameState.Menu.helpButtonOver, SceneHelp); }
int ScoresTouched(int phase, int, int) { return FadeOutTo(phase, GameState.Menu.scoresButtonOver, SceneBestScores); }

void Quit() { running = 0; }

// Quit (on the desktop only; Esc and a pad's Back press it) asks first.
int QuitTouched(int phase, int, int) {
  if (!MenuActive() || !PlatformCanQuit() || !ButtonLifted(phase, GameState.Menu.quitButtonOver)) return 0;
  Tap();
  char question[52];
  CentreInMessageBox("Quit Vel Mora?", question, sizeof question);
  OpenMessageBox("", question, "", SceneMainMenu, 0, Quit);
  return 0;
}

// The menu's first frame after the fade-in or after another screen sets the menu up, once
// (the fade-out leaves menuFade below 0; the fade-in leaves it at 180).
void SetUpMenu() {
  if (GameState.menuFade == kMenuReady) return;
  GameState.menuFade = kMenuReady;
  SetMenuVisible(1);
  ViewSetVisible(GameState.Menu.menuBackground, 1);
}

// The fade-out's two frames: the menu goes on the first, the pending scene follows the second.
void FadeOutMenuFrame() {
  GameState.menuFade -= 100;
  // The options screen keeps the logo.
  const bool keepLogo = ScenePending() == SceneOptions;
  if (GameState.menuFade < 0) {
    if (!keepLogo) ViewSetVisible(GameState.Menu.logoView, 0);
    SetMenuButtonsVisible(0);
    SceneFinishFade();
  }
  if (!keepLogo) ViewHide(GameState.Menu.logoView, GameState.menuFade);
  SetMenuButtonsVisible(0);
}

bool MenuFrame() {
  if (GameState.SceneState == SceneFadeOut) {
    FadeOutMenuFrame();
  } else {
    SetUpMenu();
  }
  return true;
}

// The fade-in's two frames (90, then 180) before the menu sets itself up.
bool FadeInMenuFrame() {
  GameState.menuFade += 90;
  if (GameState.menuFade < kMenuReady + 1) {
    SetMenuButtonsVisible(0);
  } else {
    SceneChange(SceneMainMenu);
  }
  return true;
}

}  // namespace

const Screen kMenuScreen = {nullptr, MenuFrame, nullptr, PlayMenuMusic};
const Screen kMenuFadeInScreen = {nullptr, FadeInMenuFrame, nullptr, PlayMenuMusic};

void CreateMenuScreen() {
  MenuScreenRecord& menu = GameState.Menu;
  menu.menuBackground = ViewAddHidden("Images/menuBG.png", 0, 0);
  menu.logoView = ViewAddHidden("Images/logo.png", 0, 0);
  menu.startButton = ViewAdd("Images/startBtn.png", 387, 290, StartTouched);
  menu.freePlayButton = ViewAdd("Images/freePlayBtn.png", 387, 350, FreePlayTouched);
  menu.optionsButton = ViewAdd("Images/optionsBtn.png", 387, 410, OptionsTouched);
  menu.helpButton = ViewAdd("Images/helpBtn.png", 387, 470, HelpTouched);
  menu.scoresButton = ViewAdd("Images/scoresBtn.png", 387, 530, ScoresTouched);
  menu.quitButton = ViewAdd("Images/quitBtn.png", 387, 590, QuitTouched);
  SetMenuButtonsVisible(0);
}

void CreateMenuPressedPictures() {
  MenuScreenRecord& menu = GameState.Menu;
  menu.freePlayButtonOver = PressedPicture(ViewAddHidden("Images/freePlayBtnOver.png", 387, 350));
  menu.startButtonOver = PressedPicture(ViewAddHidden("Images/startBtnOver.png", 387, 290));
  menu.backButtonOver = PressedPicture(ViewAddHidden("Images/backBtnOver.png", 387, 680));
  menu.optionsButtonOver = PressedPicture(ViewAddHidden("Images/optionsBtnOver.png", 387, 410));
  menu.helpButtonOver = PressedPicture(ViewAddHidden("Images/helpBtnOver.png", 387, 470));
  menu.scoresButtonOver = PressedPicture(ViewAddHidden("Images/scoresBtnOver.png", 387, 530));
  menu.quitButtonOver = PressedPicture(ViewAddHidden("Images/quitBtnOver.png", 387, 590));
}
