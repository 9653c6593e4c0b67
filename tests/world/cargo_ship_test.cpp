// The freighter of protect missions: its drift stays in the band near the bottom of the screen,
// its picture banks with its sideways motion, its course changes often enough, and its hit test
// covers exactly the hull and the body.

#include <cmath>

#include "core/game_state.h"
#include "render/image.h"
#include "support/harness.h"
#include "views/views.h"
#include "world/cargo_ship.h"
#include "world/random.h"

namespace {

bool Visible(ViewId id) { return ViewAt(id) != nullptr && ViewAt(id)->visible == 1; }

bool Shows(ViewId view, ImageId image) {
  return ViewAt(view)->image->texture == GameState.ImageTable.entries[image]->image->texture;
}

bool SameRng(const RngRecord& a, const RngRecord& b) { return a.z == b.z && a.w == b.w; }

}  // namespace

class CargoShip : public GameTest {};

// Drifts for many thousands of frames: inside the band, drawn where it is, banked the way it
// moved, with a new course at least every 390 frames, and straight whenever a course has no
// sideways speed.
TEST_F(CargoShip, DriftStaysInItsBandBanksAndTurnsOften) {
  harness::Boot();
  harness::FinishLoading();
  CargoShipRecord& ship = GameState.CargoShip;
  CargoShipPlace(450, 450);
  EXPECT_TRUE(Visible(ship.view));
  UpdateCargoShip();
  EXPECT_EQ(ship.y, 550.0) << "the first update lifts it into the band";

  int sinceCourse = 0, longestCourse = 0, straightCourses = 0;
  for (int frame = 0; frame < 400000; ++frame) {
    const RngRecord before = GameState.Rng;
    const double oldX = ship.x;
    const double vxBefore = ship.vx;
    UpdateCargoShip();
    const bool newCourse = !SameRng(before, GameState.Rng);
    sinceCourse = newCourse ? 0 : sinceCourse + 1;
    if (sinceCourse > longestCourse) longestCourse = sinceCourse;
    ASSERT_TRUE(ship.x >= 0.0 && ship.x <= 900.0 && ship.y >= 550.0 && ship.y <= 600.0)
        << "frame " << frame << " at " << ship.x << ", " << ship.y;
    ASSERT_EQ(ViewGetX(ship.view), static_cast<int32_t>(ship.x));
    ASSERT_EQ(ViewGetY(ship.view), static_cast<int32_t>(ship.y));
    if (ship.x < oldX) {
      ASSERT_TRUE(ship.facing == 1 && Shows(ship.view, ship.imageLeft)) << "frame " << frame;
    } else if (ship.x > oldX) {
      ASSERT_TRUE(ship.facing == 0 && Shows(ship.view, ship.imageRight)) << "frame " << frame;
    } else {
      ASSERT_TRUE(ship.facing == 2 && Shows(ship.view, ship.imageStraight)) << "frame " << frame;
    }
    if (vxBefore == 0.0 && !newCourse && ship.x > 0.0 && ship.x < 900.0) straightCourses += 1;
  }
  EXPECT_LE(longestCourse, 389) << "a new course comes at least every 390 frames";
  EXPECT_GT(straightCourses, 0) << "no course without sideways speed came up to check";

  CargoShipDeactivate();
  EXPECT_FALSE(ship.active);
  EXPECT_FALSE(Visible(ship.view));
  const double x = ship.x;
  UpdateCargoShip();
  EXPECT_EQ(ship.x, x) << "an inactive freighter does not move";
}

TEST(CargoShipHitTest, CoversTheHullAndTheBodyToTheirLastPixel) {
  RandomSeed();
  CargoShipRecord& ship = GameState.CargoShip;
  ship.active = false;
  EXPECT_FALSE(CargoShipHit(150, 600, 40)) << "nothing hits an inactive freighter";
  CargoShipPlace(0, 0);
  ship.x = 100.7;  // truncated: the hull spans x 100..240 and y 640..700, the body x 142..194, y 560..700
  ship.y = 560.9;
  // A rock of size 12 is a square of side 10.
  EXPECT_TRUE(CargoShipHit(90, 650, 12));
  EXPECT_FALSE(CargoShipHit(89, 650, 12));
  EXPECT_FALSE(CargoShipHit(90, 650, 11)) << "the square's side is size - 2";
  EXPECT_TRUE(CargoShipHit(240, 650, 12));
  EXPECT_FALSE(CargoShipHit(241, 650, 12));
  EXPECT_TRUE(CargoShipHit(100, 630, 12));
  EXPECT_FALSE(CargoShipHit(100, 629, 12));
  EXPECT_TRUE(CargoShipHit(100, 700, 12));
  EXPECT_FALSE(CargoShipHit(100, 701, 12));
  // Above the hull only the body can be touched.
  EXPECT_TRUE(CargoShipHit(150, 550, 12));
  EXPECT_FALSE(CargoShipHit(150, 549, 12));
  EXPECT_TRUE(CargoShipHit(132, 600, 12));
  EXPECT_FALSE(CargoShipHit(131, 600, 12));
  EXPECT_TRUE(CargoShipHit(194, 600, 12));
  EXPECT_FALSE(CargoShipHit(195, 600, 12));
  EXPECT_TRUE(CargoShipHit(140, 620, 80)) << "a rock larger than the body around it";
  CargoShipDeactivate();
  EXPECT_FALSE(CargoShipHit(150, 600, 40));
}
