#include "ui/sound_levels.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "storage/profile.h"
#include "storage/user_files.h"
#include "ui/buttons.h"
#include "ui/options.h"
#include "views/views.h"

namespace {

constexpr int32_t kPanelX = 328, kPanelY = 236;
constexpr int32_t kMusicRowY = 268, kEffectsRowY = 314;
constexpr int32_t kDownX = 486, kMeterX = 528, kUpX = 644;
constexpr int32_t kPercentPerStep = 100 / kVolumeSteps;

bool OptionsOpen() { return GameState.SceneState == SceneOptions && !MessageBoxIsOpen(); }

// The step shown: 0 (off) while the toggle is not on, else the level.
int32_t Step(int32_t toggle, int32_t level) { return toggle == 1 ? level : 0; }

// One step down or up. `toggle` is the option the step may switch; `turn` switches it (music
// also starts or pauses); the level is kept in the profile.
void StepLevel(int32_t direction, int32_t toggle, int32_t* level, void (*turn)(bool on)) {
  const int32_t step = Step(toggle, *level) + direction;
  if (step < 0 || step > kVolumeSteps) return;
  if (step == 0) {
    turn(false);
  } else {
    *level = step;
    if (toggle != 1) turn(true);
  }
  Tap();
  SaveProfile();
  ApplySoundLevels();
}

int StepTouched(int phase, int32_t direction, bool music) {
  if (!OptionsOpen() || phase != kPhaseReleased) return 0;
  ProfileRecord& profile = GameState.Profile;
  if (music) {
    StepLevel(direction, GameState.musicOn, &profile.musicLevel, SetMusicOn);
  } else {
    StepLevel(direction, GameState.soundOn, &profile.effectsLevel, SetSoundOn);
  }
  return 0;
}

}  // namespace

void CreateSoundLevels() {
  static const char* const kMeters[kVolumeSteps + 1] = {
      "Images/levelOff.png", "Images/level25.png", "Images/level50.png", "Images/level75.png", "Images/level100.png"};
  GameState.Options.levelsPanel = ViewAddHidden("Images/levelsBG.png", kPanelX, kPanelY);
  for (int i = 0; i <= kVolumeSteps; ++i) GameState.Options.meterImages[i] = ImageAdd(kMeters[i]);
  GameState.Options.musicMeter = ViewAddFromImage(GameState.Options.meterImages[kVolumeSteps], kMeterX, kMusicRowY);
  GameState.Options.effectsMeter = ViewAddFromImage(GameState.Options.meterImages[kVolumeSteps], kMeterX, kEffectsRowY);
  GameState.Options.musicDown = ViewAddHidden("Images/levelDown.png", kDownX, kMusicRowY, MusicDownTouched);
  GameState.Options.musicUp = ViewAddHidden("Images/levelUp.png", kUpX, kMusicRowY, MusicUpTouched);
  GameState.Options.effectsDown = ViewAddHidden("Images/levelDown.png", kDownX, kEffectsRowY, EffectsDownTouched);
  GameState.Options.effectsUp = ViewAddHidden("Images/levelUp.png", kUpX, kEffectsRowY, EffectsUpTouched);
  HideSoundLevels();
}

void SoundLevelsFrame() {
  const ProfileRecord& profile = GameState.Profile;
  ViewSetImage(GameState.Options.musicMeter,
               GameState.Options.meterImages[Step(GameState.musicOn, profile.musicLevel)]);
  ViewSetImage(GameState.Options.effectsMeter,
               GameState.Options.meterImages[Step(GameState.soundOn, profile.effectsLevel)]);
  ViewsSetVisible({GameState.Options.levelsPanel, GameState.Options.musicMeter, GameState.Options.effectsMeter,
                   GameState.Options.musicDown, GameState.Options.musicUp, GameState.Options.effectsDown,
                   GameState.Options.effectsUp},
                  1);
}

void HideSoundLevels() {
  ViewsSetVisible({GameState.Options.levelsPanel, GameState.Options.musicMeter, GameState.Options.effectsMeter,
                   GameState.Options.musicDown, GameState.Options.musicUp, GameState.Options.effectsDown,
                   GameState.Options.effectsUp},
                  0);
}

int32_t LevelPercent(int32_t toggle, int32_t level) { return Step(toggle, level) * kPercentPerStep; }

void ApplySoundLevels() {
  const ProfileRecord& profile = GameState.Profile;
  AudioSetLevels(LevelPercent(GameState.musicOn, profile.musicLevel),
                 LevelPercent(GameState.soundOn, profile.effectsLevel));
}

int MusicDownTouched(int phase, int, int) { return StepTouched(phase, -1, true); }
int MusicUpTouched(int phase, int, int) { return StepTouched(phase, 1, true); }
int EffectsDownTouched(int phase, int, int) { return StepTouched(phase, -1, false); }
int EffectsUpTouched(int phase, int, int) { return StepTouched(phase, 1, false); }
