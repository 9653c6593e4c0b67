// Shield and structure under fire: the shield takes a hit first and the overflow reaches the
// structure, a structure of 0 destroys the ship, the shield regenerates on its interval, and the
// bars show it all on the bottom strip.
#include <cstdio>
#include <string>

#include "support/harness.h"
#include "world/damage.h"

using namespace harness;

class DamageTest : public GameTest {
 protected:
  // Drops a hazard of this size onto the ship and plays the frame.
  void HitBy(HazardSlot& slot, int size) {
    PlaceHazard(slot, GameState.ShipX + 20, GameState.ShipY + 35, size, 0);
    Frame();
  }
  // The two values and the drawn width of their bars.
  static std::string Hull() {
    char text[80];
    snprintf(text, sizeof text, "shield %g (%d px), structure %d (%d px)", GameState.Shield,
             DrawnWidth(GameState.ShieldBar), GameState.Structure, DrawnWidth(GameState.StructureBar));
    return text;
  }
};

TEST_F(DamageTest, TheShieldRegeneratesOnItsIntervalUpToAHundred) {
  StartFreePlay();
  QuietFrames(34);
  EXPECT_EQ(GameState.Shield, 50.0);
  QuietFrame();
  EXPECT_EQ(Hull(), "shield 50.2 (150 px), structure 100 (150 px)") << "the first step falls on frame 35";
  // Shield level 6: 330 points, a step every 10 frames, none above 100.
  Tap(kGameBack, 2);
  GameState.shieldLevel = 6;
  Tap(kFreePlay, 3);
  EXPECT_EQ(GameState.Shield, 330.0);
  QuietFrames(10);
  EXPECT_EQ(GameState.Shield, 330.0);
  GameState.Shield = 99.9;
  QuietFrames(10);
  EXPECT_DOUBLE_EQ(GameState.Shield, 100.65);
  QuietFrames(30);
  EXPECT_DOUBLE_EQ(GameState.Shield, 100.65);
}

// The bars at their widest, with the laser overheated (the strip with hazard stripes on its
// flanks): a level-1 shield regenerated to 100 draws 300 px, twice its full width, and every bar
// is drawn whole over its own track, down to the screen's last row. Then hits take the shield
// first and the overflow reaches the structure, and a structure of 0 destroys the ship.
TEST_F(DamageTest, WidestBarsSitOnTheirTracksAndTheShieldTakesHitsFirstUntilAStructureOfZeroDestroysTheShip) {
  StartQuietFreePlay();
  for (int shot = 0; shot < 4; ++shot) {
    PushTap(kFire[0], kFire[1]);
    QuietFrame();
  }
  ASSERT_TRUE(Shown(GameState.overheatBackground));
  GameState.Shield = 100.0;
  RefreshShipBars();
  CaptureFrames(true);
  QuietFrame();
  ASSERT_EQ(DrawnWidth(GameState.ShieldBar), 300);
  const auto red = [](int x, int y) { return FramePixel(x, y) >> 16; };
  const auto green = [](int x, int y) { return FramePixel(x, y) >> 8 & 0xFF; };
  const auto blue = [](int x, int y) { return FramePixel(x, y) & 0xFF; };
  for (int y = 761; y <= 767; ++y) {
    EXPECT_GT(blue(821, y), red(821, y)) << "shield bar's last column, y " << y;
    EXPECT_TRUE(green(352, y) > red(352, y) && green(501, y) > red(501, y)) << "hull bar's ends, y " << y;
  }
  for (int y = 751; y <= 757; ++y) EXPECT_GT(red(661, y), blue(661, y)) << "heat bar's last column, y " << y;
  // Behind the shield's second 150 px lies its dark track, not the flank's stripes.
  GameState.Shield = 50.0;
  RefreshShipBars();
  QuietFrame();
  for (int x = 673; x <= 821; ++x) EXPECT_EQ(FramePixel(x, 764) & 0xC0C0C0, 0u) << "no channel reaches 64 at x " << x;
  CaptureFrames(false);

  EXPECT_EQ(Hull(), "shield 50 (150 px), structure 100 (150 px)");
  GameState.Structure = 200;
  GameState.Shield = 10.5;
  HitBy(GameState.Infected.slots[1], 45);  // 157 damage: 146.5 reach the structure, truncated
  EXPECT_EQ(Hull(), "shield 0 (0 px), structure 54 (81 px)");
  EXPECT_EQ(GameState.Infected.slots[1].x, -100);
  GameState.Structure = 106;
  HitBy(GameState.Asteroids.slots[2], 30);  // 105 damage
  EXPECT_EQ(Hull(), "shield 0 (0 px), structure 1 (1 px)");
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  const int shipX = GameState.ShipX, shipY = GameState.ShipY;
  const size_t sounds = recorded().plays.size();
  GameState.Structure = 105;
  HitBy(GameState.Asteroids.slots[2], 30);
  EXPECT_EQ(Hull(), "shield 0 (0 px), structure 0 (0 px)");
  EXPECT_EQ(GameState.SceneState, SceneGameOver);
  EXPECT_EQ(Plays(kExplosionSound, sounds), 1);
  // The ship's own explosion, 90 px left of and 70 px above it.
  const ExplosionSlot& blast = GameState.Explosions.slots[(GameState.Explosions.next + 3) % 4];
  EXPECT_TRUE(blast.x == shipX - 90 && blast.y == shipY - 70);
}
