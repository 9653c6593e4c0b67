// Shield and structure under fire: hits in a round drain the shield first, the overflow reaches
// the structure, a structure of 0 destroys the ship, the shield regenerates on its interval, and
// the bars show it all on the bottom strip.
#include <algorithm>

#include "core/game_state.h"
#include "support/harness.h"
#include "world/damage.h"
#include "world/round_play.h"

using namespace round_play;

namespace {

class DamageTest : public RoundTest {
 protected:
  void Begin() {
    StartFreePlay();
    QuietFrame();
    StopSpawns();
  }
  // Drops a hazard of this size onto the ship and plays the frame.
  void HitBy(HazardSlot& slot, int size) {
    PlaceHazard(slot, GameState.ShipX + 20, GameState.ShipY + 35, size, 0);
    harness::Frame();
  }
};

}  // namespace

TEST_F(DamageTest, ShieldOverflowReachesTheStructureTruncated) {
  Begin();
  EXPECT_EQ(GameState.Structure, 100);
  EXPECT_EQ(GameState.Shield, 50.0);
  EXPECT_EQ(DrawnWidth(GameState.ShieldBar), 150);
  GameState.Structure = 200;
  GameState.Shield = 10.5;
  HitBy(GameState.Infected.slots[1], 45);  // 157 damage
  EXPECT_EQ(GameState.Shield, 0.0);
  EXPECT_EQ(GameState.Structure, 200 - 146);
  EXPECT_EQ(GameState.Infected.slots[1].x, -100);
  EXPECT_EQ(DrawnWidth(GameState.ShieldBar), 0);
  EXPECT_EQ(DrawnWidth(GameState.StructureBar), 54 * 150 / 100);

  // With the shield at exactly 0 the whole hit goes to the structure.
  GameState.Structure = 150;
  HitBy(GameState.Asteroids.slots[0], 30);  // 105 damage
  EXPECT_EQ(GameState.Shield, 0.0);
  EXPECT_EQ(GameState.Structure, 45);
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
}

TEST_F(DamageTest, StructureOfOneSurvivesAndZeroDestroys) {
  Begin();
  GameState.Shield = 0;
  GameState.Structure = 106;
  HitBy(GameState.Asteroids.slots[2], 30);
  EXPECT_EQ(GameState.Structure, 1);
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  EXPECT_EQ(DrawnWidth(GameState.StructureBar), 1);

  const int shipX = GameState.ShipX, shipY = GameState.ShipY;
  const size_t soundsBefore = harness::recorded().plays.size();
  GameState.Structure = 105;
  HitBy(GameState.Asteroids.slots[2], 30);
  EXPECT_EQ(GameState.Structure, 0);
  EXPECT_EQ(DrawnWidth(GameState.StructureBar), 0);
  EXPECT_EQ(GameState.SceneState, SceneGameOver);
  EXPECT_EQ(GameState.PendingScene, SceneMainMenu);
  EXPECT_EQ(GameState.Asteroids.slots[2].x, -100);
  EXPECT_EQ(PlaysOf(kExplosionSound, soundsBefore), 1);
  // The ship's own explosion, 90/70 off its top-left.
  const auto& e = GameState.Explosions;
  const ExplosionSlot& blast = e.slots[(e.next + 3) % 4];
  EXPECT_EQ(blast.x, shipX - 90);
  EXPECT_EQ(blast.y, shipY - 70);
}

TEST_F(DamageTest, ShieldRegeneratesOnItsIntervalUpToAHundred) {
  StartFreePlay();
  ASSERT_EQ(GameState.ShieldRegenInterval, 35);
  QuietFrames(34);
  EXPECT_EQ(GameState.Shield, 50.0);
  QuietFrame();
  EXPECT_EQ(GameState.RoundFrame, 35);
  EXPECT_DOUBLE_EQ(GameState.Shield, 50.2) << "the first step falls on the frame equal to the interval";
  EXPECT_EQ(DrawnWidth(GameState.ShieldBar), static_cast<int>(50.2 * 150.0 / 50));
}

TEST_F(DamageTest, LevelSixShieldStopsRegeneratingPastAHundred) {
  WriteUpgrades(1, 6, 1, 1);
  StartFreePlay();
  ASSERT_EQ(GameState.ShieldRegenInterval, 10);
  EXPECT_EQ(GameState.Shield, 330.0);
  QuietFrames(10);
  EXPECT_EQ(GameState.Shield, 330.0) << "above 100 the shield never regenerates";
  GameState.Shield = 99.9;
  QuietFrames(10);
  EXPECT_DOUBLE_EQ(GameState.Shield, 100.65);
  QuietFrames(30);
  EXPECT_DOUBLE_EQ(GameState.Shield, 100.65);
}

// The bars at their widest, with the laser overheated (the strip with hazard stripes on its
// flanks): a level-1 shield regenerated to 100 draws 300 px, twice its full width, and every bar
// is drawn whole over its own track, down to the screen's last row.
TEST_F(DamageTest, WidestBarsSitOnTheirTracksDownToTheLastRow) {
  Begin();
  for (int shot = 0; shot < 4; ++shot) {
    harness::PushTap(kFireX, kFireY);
    QuietFrame();
  }
  ASSERT_TRUE(Shown(GameState.overheatBackground));
  GameState.Shield = 100.0;
  RefreshShipBars();
  harness::CaptureFrames(true);
  QuietFrame();
  ASSERT_EQ(DrawnWidth(GameState.ShieldBar), 300);
  ASSERT_EQ(DrawnWidth(GameState.StructureBar), 150);
  const auto red = [](int x, int y) { return static_cast<int>(harness::FramePixel(x, y) >> 16); };
  const auto green = [](int x, int y) { return static_cast<int>(harness::FramePixel(x, y) >> 8 & 0xFF); };
  const auto blue = [](int x, int y) { return static_cast<int>(harness::FramePixel(x, y) & 0xFF); };
  for (int y = 761; y <= 767; ++y) {
    EXPECT_GT(blue(821, y), red(821, y)) << "shield bar's last column, y " << y;
    EXPECT_GT(green(352, y), red(352, y)) << "hull bar's first column, y " << y;
    EXPECT_GT(green(501, y), red(501, y)) << "hull bar's last column, y " << y;
  }
  for (int y = 751; y <= 757; ++y) EXPECT_GT(red(661, y), blue(661, y)) << "heat bar's last column, y " << y;

  // Behind the shield's second 150 px lies its dark track, not the flank's stripes.
  GameState.Shield = 50.0;
  RefreshShipBars();
  QuietFrame();
  ASSERT_EQ(DrawnWidth(GameState.ShieldBar), 150);
  for (int x = 673; x <= 821; ++x) {
    EXPECT_LT(std::max({red(x, 764), green(x, 764), blue(x, 764)}), 64) << "track at x " << x;
  }
  harness::CaptureFrames(false);
}
