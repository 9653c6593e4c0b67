// The options' sound levels as a player uses them: each step reaches the mixer at once and the
// player's file, the sound and music toggles stay in step and keep their own file as before, and
// the levels survive a restart.
#include <SDL_mixer.h>

#include "audio/sound.h"
#include "storage/profile.h"
#include "support/harness.h"

using namespace harness;

namespace {

constexpr int kMusicDown[2] = {504, 284}, kMusicUp[2] = {662, 284};
constexpr int kEffectsDown[2] = {504, 330}, kEffectsUp[2] = {662, 330};
constexpr int kSoundToggle[2] = {400, 425}, kMusicToggle[2] = {400, 485};
const std::string kProfilePath = std::string("Data/") + kProfileFile;

// The levels as the player's file keeps them, the options file, and the mixer's volumes of an
// effects channel and of the music channel: 0..32, since every channel plays at a quarter of the
// mixer's scale and the limiter brings the sum back up.
std::string Levels() {
  const std::string profile = ReadFile(kProfilePath);
  return profile.substr(profile.find("music"), 17) + "| " + ReadFile(kOptions) + " | effect " +
         std::to_string(ChannelVolume(0)) + " music " + std::to_string(ChannelVolume(harness::kMusicChannel));
}

}  // namespace

class SoundLevelsTest : public GameTest {};

TEST_F(SoundLevelsTest, StepsReachTheMixerAndTheFileAndKeepTheTogglesInStep) {
  ASSERT_TRUE(FirstSession([] {
    ReachMenu();
    Tap(kOptionsButton, 3);
    EXPECT_TRUE(Shown(GameState.Options.levelsPanel) && Shown(GameState.Options.effectsUp) &&
                Shown(GameState.Options.soundToggle));
    EXPECT_TRUE(Shows(GameState.Options.effectsMeter, GameState.Options.meterImages[4]));
    EXPECT_EQ(Levels(), "music 4\neffects 4| 110 | effect 32 music 32");
    Tap(kEffectsUp);  // 100 % is the top
    Tap(kEffectsDown);
    EXPECT_EQ(Levels(), "music 4\neffects 3| 110 | effect 24 music 32");
    EXPECT_TRUE(Shows(GameState.Options.effectsMeter, GameState.Options.meterImages[3]));
    const int taps = Plays(kButtonTap);
    for (int step = 0; step < 3; ++step) Tap(kEffectsDown);
    EXPECT_EQ(Levels(), "music 4\neffects 1| 100 | effect 0 music 32") << "off is the sound toggle off";
    EXPECT_EQ(Plays(kButtonTap), taps + 2) << "the step to off is silent";
    EXPECT_TRUE(Shows(GameState.Options.effectsMeter, GameState.Options.meterImages[0]) &&
                Shows(GameState.Options.soundIndicator, GameState.Options.noImage));
    Tap(kEffectsDown);  // off is the bottom
    Tap(kSoundToggle);
    EXPECT_EQ(Levels(), "music 4\neffects 1| 110 | effect 8 music 32") << "the toggle brings its level back";
    Tap(kEffectsUp);

    Tap(kMusicDown);
    Tap(kMusicDown);
    EXPECT_EQ(Levels(), "music 2\neffects 2| 110 | effect 16 music 16");
    EXPECT_EQ(Mix_Playing(harness::kMusicChannel), 1);
    Tap(kMusicToggle);
    EXPECT_EQ(Levels(), "music 2\neffects 2| 010 | effect 16 music 0");
    EXPECT_TRUE(Mix_Paused(harness::kMusicChannel) == 1 &&
                Shows(GameState.Options.musicMeter, GameState.Options.meterImages[0]));
    const size_t mark = recorded().plays.size();
    Tap(kMusicUp);
    EXPECT_EQ(Levels(), "music 1\neffects 2| 110 | effect 16 music 8") << "up from off: 25 % and music on";
    EXPECT_EQ(Plays(kMenuMusic, mark, harness::kMusicChannel), 1) << "the menu music starts again";
  }));
  ReachMenu();
  Tap(kOptionsButton, 3);
  EXPECT_EQ(Levels(), "music 1\neffects 2| 110 | effect 16 music 8");
  EXPECT_TRUE(Shows(GameState.Options.musicMeter, GameState.Options.meterImages[1]));
  // The round's loop plays at the music's level too.
  Tap(kMenuBack, 1);
  Tap(kFreePlay, 3);
  EXPECT_EQ(ChannelVolume(harness::kMusicChannel), 8);
}
