// Plays the real game headless, as a player would (pushed touches, scripted steering and firing),
// and writes screenshots of its screens. Run from build/ (where ./Data is), under a display:
//   cd build && xvfb-run -a ./velmora-screenshots ../docs/screenshots
// tools/screenshots/take.sh does exactly that.
#include <SDL.h>
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/game_loop.h"
#include "core/game_state.h"
#include "input/events.h"
#include "input/translate.h"
#include "platform/platform.h"
#include "render/draw.h"
#include "tools/driver/driver.h"
#include "views/frame.h"
#include "world/damage.h"
#include "world/random.h"

extern "C" {
void __real_SDL_GL_SwapBuffers();
void __wrap_SDL_Delay(Uint32) {}  // frames run back to back

// Every presented frame is kept, so a screenshot is exactly what the player saw.
std::vector<uint8_t> lastFrame;
void __wrap_SDL_GL_SwapBuffers() {
  driver::GrabFrame(lastFrame);
  __real_SDL_GL_SwapBuffers();
}
}

namespace {

std::string outDir = ".";
int shots = 0;

void Frames(int count) {
  for (int i = 0; i < count; ++i) {
    PumpEvents();
    GameLoop();
  }
}

void Shot(const char* name) {
  const std::string path = outDir + "/" + name + ".png";
  if (driver::WritePng(path, lastFrame)) {
    printf("wrote %s\n", path.c_str());
    ++shots;
  } else {
    printf("could not write %s\n", path.c_str());
  }
}

// One frame in which hazards cannot destroy the ship: the structure is raised for the update and
// shown whole again before the frame is drawn.
void ShieldedFrame() {
  PumpEvents();
  if (GameState.SceneState == ScenePlaying) GameState.Structure = 1000;
  const bool drawn = AdvanceFrame();
  if (GameState.Structure > 0) {
    GameState.Structure = MaxStructure(GameState.structureLevel);
    RefreshShipBars();
  }
  if (drawn) DrawViews();
}

// Runs frames until the scene is reached; false when it never comes.
bool FramesUntil(int scene, int limit) {
  for (int i = 0; i < limit; ++i) {
    if (GameState.SceneState == scene) return true;
    Frames(1);
  }
  return GameState.SceneState == scene;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) outDir = argv[1];
  mkdir(outDir.c_str(), 0755);
  char resolved[4096];
  if (realpath(outDir.c_str(), resolved) != nullptr) outDir = resolved;
  const std::string scratch = driver::EnterScratchRunTree("velmora-screenshots");
  if (scratch.empty()) return 1;
  if (!Boot()) {
    printf("velmora-screenshots: no window (run it under a display, e.g. xvfb-run -a)\n");
    return 1;
  }
  Frames(12);
  Shot("loading");
  FramesUntil(SceneMainMenu, 200);
  Frames(3);
  Shot("menu");

  // Free play: a busy round with steering and firing.
  driver::PushTap(512, 375);
  FramesUntil(ScenePlaying, 20);
  for (int frame = 0; frame < 700 && GameState.SceneState == ScenePlaying; ++frame) {
    driver::PushScriptedPlay(frame);
    Frames(1);
    if (frame == 250) {
      driver::PushTap(1000, 24);  // pause, then resume
      Frames(2);
      Shot("paused");
      driver::PushTap(512, 359);
    }
  }
  Shot("free-play");
  // Play on until the ship is lost and the score box shows.
  for (int frame = 700; frame < 20000 && GameState.SceneState != SceneMessageBox; ++frame) {
    if (GameState.SceneState == ScenePlaying) driver::PushScriptedPlay(frame);
    Frames(1);
  }
  Frames(1);
  Shot("game-over");
  Frames(kClosingBoxDeafFrames);
  driver::PushMouseUp(946, 693);
  driver::PushTap(512, 420);  // OK
  FramesUntil(SceneMainMenu, 20);
  Frames(1);
  driver::PushTap(512, 555);  // best scores
  FramesUntil(SceneBestScores, 20);
  Frames(2);
  Shot("best-scores");
  driver::PushTap(512, 705);
  FramesUntil(SceneMainMenu, 20);
  Frames(1);

  // Options and help.
  driver::PushTap(512, 435);
  FramesUntil(SceneOptions, 20);
  Frames(2);
  Shot("options");
  driver::PushTap(512, 545);  // control method: right hand -> accelerometer, shows calibration
  Frames(2);
  Shot("options-calibration");
  driver::PushTap(512, 545);  // -> left hand
  driver::PushTap(512, 545);  // -> right hand again
  driver::PushTap(512, 705);  // back
  FramesUntil(SceneMainMenu, 20);
  Frames(1);
  driver::PushTap(512, 495);
  FramesUntil(SceneHelp, 20);
  Frames(2);
  Shot("help");
  driver::PushTap(512, 705);
  FramesUntil(SceneMainMenu, 20);
  Frames(1);

  // The campaign: the briefing of the first mission, then the mission itself. The pilot here is
  // scripted, not skilled: the ship is kept whole so that the mission can be won on camera.
  driver::PushTap(512, 315);
  FramesUntil(SceneInterLevel, 20);
  Frames(2);
  Shot("inter-level");
  driver::PushTap(570, 705);
  FramesUntil(ScenePlaying, 20);
  for (int frame = 0; frame < 3000 && GameState.SceneState != SceneMessageBox; ++frame) {
    if (GameState.SceneState == ScenePlaying) driver::PushScriptedPlay(frame);
    ShieldedFrame();
  }
  Frames(1);
  Shot("mission-won");
  Frames(kClosingBoxDeafFrames);
  driver::PushMouseUp(946, 693);
  driver::PushTap(512, 420);  // OK: the briefing of the next mission
  FramesUntil(SceneInterLevel, 20);
  driver::PushTap(424, 705);  // back to the menu
  FramesUntil(SceneMainMenu, 20);
  Frames(1);

  // A protect mission: the first cargo-ship mission of the campaign.
  GameState.campaignLevel = driver::FirstLevelOfKind(MissionProtect);
  driver::PushTap(512, 315);
  FramesUntil(SceneInterLevel, 20);
  Frames(2);
  driver::PushTap(570, 705);
  FramesUntil(ScenePlaying, 20);
  for (int frame = 0; frame < 240 && GameState.SceneState == ScenePlaying; ++frame) {
    driver::PushScriptedPlay(frame);
    ShieldedFrame();
  }
  Shot("protect-mission");

  Shutdown();
  driver::RemoveScratchDirectory(scratch);
  printf("%d screenshots\n", shots);
  return shots > 0 ? 0 : 1;
}
