// Explosions (placement, the four-slot ring, the flip-book and its sound) and the starfield
// (start, drift and wrap).
#include "support/harness.h"
#include "world/explosions.h"
#include "world/stars.h"

using namespace harness;

class ExplosionsStarsTest : public GameTest {
 protected:
  const ExplosionSlot& Slot(int i) { return GameState.Explosions.slots[i]; }
  bool Wears(int slot, int picture) { return Shows(Slot(slot).view, GameState.Explosions.frameImage[picture]); }
};

TEST_F(ExplosionsStarsTest, StarsWrapToTheTopAndAnExplosionPlaysTwentySixPicturesNinetySeventyOffItsObject) {
  StartQuietFreePlay();
  for (const Star& star : GameState.StarField.stars) {
    EXPECT_TRUE(Shown(star.view) && star.y >= -60 && star.y <= 767 && star.speed >= 1 && star.speed <= 3);
  }
  Star* stars = GameState.StarField.stars;
  for (int i = 0; i < kStars; ++i) stars[i] = {stars[i].x, 100, stars[i].view, 1};
  stars[0] = {stars[0].x, 776, stars[0].view, 3};  // reaches 779: wraps
  stars[1] = {stars[1].x, 778, stars[1].view, 1};  // reaches 779: wraps
  stars[2] = {stars[2].x, 775, stars[2].view, 3};  // reaches exactly 778: stays
  UpdateStars();
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(stars[i].y == 0 && !Shown(stars[i].view) && ViewGetY(stars[i].view) == 0);
  EXPECT_EQ(stars[2].y, 778);
  EXPECT_TRUE(Shown(stars[2].view));
  EXPECT_EQ(stars[3].y, 101);
  // Stars that left during a round are shown again at the next start.
  StartStars();
  for (const Star& star : GameState.StarField.stars) EXPECT_TRUE(Shown(star.view));

  // An explosion, silent with the sound off, plays its 26 pictures 90 px left of and 70 px above
  // its object.
  GameState.soundOn = 0;
  const size_t sounds = recorded().plays.size();
  const int slot = GameState.Explosions.next % 4;
  SpawnExplosion(300, 200);
  EXPECT_EQ(Plays(kExplosionSound, sounds), 0) << "silent with sound off";
  EXPECT_EQ(ViewGetX(Slot(slot).view), 210);
  EXPECT_EQ(ViewGetY(Slot(slot).view), 130);
  EXPECT_TRUE(Wears(slot, 1));
  for (int update = 1; update <= 25; ++update) {
    QuietFrame();
    EXPECT_TRUE(Shown(Slot(slot).view) && Wears(slot, update + 1)) << "update " << update;
  }
  QuietFrame();
  EXPECT_FALSE(Shown(Slot(slot).view)) << "hidden on the 26th update";
  // A fifth explosion in one frame takes over the first slot; each one bangs.
  GameState.soundOn = 1;
  while (GameState.Explosions.next % 4 != 0) SpawnExplosion(600, 600);
  QuietFrames(30);
  const size_t bangs = recorded().plays.size();
  for (int i = 0; i < 5; ++i) SpawnExplosion(100 + 100 * i, 300);
  EXPECT_EQ(Plays(kExplosionSound, bangs), 5);
  QuietFrame();
  EXPECT_EQ(ViewGetX(Slot(0).view), 500 - 90);
  for (int i = 1; i < 4; ++i) EXPECT_TRUE(Slot(i).x == 100 * (i + 1) - 90 && Shown(Slot(i).view) && Wears(i, 2));
}
