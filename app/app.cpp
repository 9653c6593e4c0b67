#include "app/app.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/fatal.h"

#include "app/game_loop.h"
#include "audio/sound.h"
#include "core/data_path.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "input/events.h"
#include "input/steering.h"
#include "input/translate.h"
#include "platform/platform.h"
#include "render/decoder.h"
#include "render/image.h"
#include "render/text.h"
#include "storage/user_folder.h"
#include "views/views.h"
#include "world/random.h"

namespace {

constexpr Uint32 kInitFlags = 0x231;  // timer, audio, video and joystick

// SDL's subsystems in the order they are tried when starting them all at once failed.
struct Subsystem {
  Uint32 flag;
  const char* name;
};
constexpr Subsystem kSubsystems[] = {
    {SDL_INIT_TIMER, "timer"}, {SDL_INIT_AUDIO, "audio"}, {SDL_INIT_VIDEO, "video"}, {SDL_INIT_JOYSTICK, "joystick"}};

// Starting SDL failed for `reason` (SDL's error text at the time): starts the subsystems one by
// one to name the one that fails, and says so. Some, audio among them, only start for real when
// first used, so when none fails alone the first reason is the one given.
void ReportFailedSubsystem(const std::string& reason) {
  for (const Subsystem& subsystem : kSubsystems) {
    if (SDL_InitSubSystem(subsystem.flag) < 0) {
      printf("Could not start SDL's %s. Reason: %s\n", subsystem.name, SDL_GetError());
      return;
    }
  }
  printf("Could not start SDL. Reason: %s\n", reason.empty() ? "SDL gave none" : reason.c_str());
}

// A view's or image entry's own picture record goes with it; the textures go all together after.
void DeleteRecord(View* record) {
  if (record == nullptr) return;
  delete record->image;
  delete record;
}

void FreeResources() {
  Mix_CloseAudio();
  GameState.ViewTable.Clear(DeleteRecord);
  GameState.ImageTable.Clear(DeleteRecord);
  GameState.TextTable.Clear([](TextView* text) { delete text; });
  GameState.TouchAreaTable.Clear([](TouchArea* area) { delete area; });
  GameState.SoundTable.Clear(Mix_FreeChunk);
  GameState.FontTable.Clear([](Font* font) { delete font; });
  FreeAllTextures();
}

}  // namespace

int VideoInit() {
  PlatformScreenTimeoutEnable(0);
  PlatformPrepareVideo();
  const int initResult = SDL_Init(kInitFlags);
  if (initResult < 0) {
    ReportFailedSubsystem(SDL_GetError());
    return initResult;
  }
  PlatformRequestContext();
  GameState.VideoSurface = PlatformSetVideoMode(kScreenWidth, kScreenHeight, 0, SDL_OPENGL);
  if (GameState.VideoSurface == nullptr) {
    printf("Could not set up the 1024x768 OpenGL window. Reason: %s\n", SDL_GetError());
    return 1;
  }
  GLSetup();
  SDL_WM_SetCaption("Vel Mora", nullptr);
  return 0;
}

void GLSetup() {
  glMatrixMode(GL_PROJECTION);
  glOrthof(0.0f, static_cast<float>(kScreenWidth), 0.0f, static_cast<float>(kScreenHeight), -1.0f, 1.0f);
  glMatrixMode(GL_MODELVIEW);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnable(GL_BLEND);
}

void StartUp() {
  // Each new screen tells the input layer, so that keys held on the last one do not act on it.
  SceneListen(TranslateScreenOpened);
  AccelOpen();
  AudioOpen();
  // The pictures are decoded ahead while the loading frames run: on a worker, or in the browser in
  // the game's waits, where the large ones are uploaded too.
  const std::string folders[] = {DataPath("Images"), DataPath("Fonts")};
  const char* const folderNames[] = {folders[0].c_str(), folders[1].c_str()};
  StartDecodingAhead(folderNames, 2);
  StartMakingTexturesAhead();
  GameState.loadingBackground = ViewAdd("Images/loadingBG.png", 0, 0);
  GameState.loadingBarFrame = ViewAdd("Images/pbBG.png", 363, 751);
  GameState.loadingBar = ViewAdd("Images/pb.png", 364, 752);
  ViewSetImageSize(GameState.loadingBar, 1, 8);
  GameState.LoadProgress = 0.0;
  AttachScreens();
  SceneStartLoading();
  GameState.LoadStepCounter = 0;
  GameState.LoadPhase = -1;
  GameState.FocusView = -1;
}

namespace {

// One pass of the main loop: the events, then a frame. False once the player quits.
bool MainLoopPass() {
  PumpEvents();
  GameLoop();
  return running != 0;
}

}  // namespace

void RunMainLoop() {
  if (running != 0) PlatformRunLoop(MainLoopPass);
}

void Shutdown() {
  UserFolderRelease();
  StopDecodingAhead();
  FreeResources();
  AudioClose();
  SDL_Quit();
}

bool Boot() {
  if (VideoInit() != 0) return false;
  PlatformInit(0);
  RandomSeed();
  StartUp();
  return true;
}

int PlayUntilQuit() {
  RunMainLoop();
  Shutdown();
  return 0;
}

int GameMain() {
  // Without SDL, a window and a GL context nothing else can run; VideoInit has said what failed.
  if (!Boot()) ExitOnFatalError();
  return PlayUntilQuit();
}
