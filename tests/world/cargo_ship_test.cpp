// The freighter of protect missions: its drift stays in the band near the bottom of the screen,
// its picture banks with its sideways motion, its course changes often enough, and its hit test
// covers exactly the hull and the body.
#include <algorithm>

#include "support/harness.h"
#include "world/cargo_ship.h"
#include "world/random.h"

using namespace harness;

class CargoShipTest : public GameTest {};

TEST_F(CargoShipTest, DriftStaysInItsBandBanksAndTurnsOftenAndTheHitTestCoversTheHullAndTheBodyToTheirLastPixel) {
  Boot();
  FinishLoading();
  CargoShipRecord& ship = GameState.CargoShip;
  CargoShipPlace(450, 450);
  EXPECT_TRUE(Shown(ship.view));
  UpdateCargoShip();
  EXPECT_EQ(ship.y, 550.0) << "the first update lifts it into the band";
  int sinceCourse = 0, longestCourse = 0, straightCourses = 0;
  for (int frame = 0; frame < 400000; ++frame) {
    const RngRecord before = GameState.Rng;
    const double oldX = ship.x, vxBefore = ship.vx;
    UpdateCargoShip();
    const bool newCourse = before.z != GameState.Rng.z || before.w != GameState.Rng.w;
    sinceCourse = newCourse ? 0 : sinceCourse + 1;
    longestCourse = std::max(longestCourse, sinceCourse);
    ASSERT_TRUE(ship.x >= 0.0 && ship.x <= 900.0 && ship.y >= 550.0 && ship.y <= 600.0)
        << "frame " << frame << " at " << ship.x << ", " << ship.y;
    ASSERT_TRUE(ViewGetX(ship.view) == int32_t(ship.x) && ViewGetY(ship.view) == int32_t(ship.y)) << frame;
    const int facing = ship.x < oldX ? 1 : ship.x > oldX ? 0 : 2;
    const ImageId picture[3] = {ship.imageRight, ship.imageLeft, ship.imageStraight};
    ASSERT_TRUE(ship.facing == facing && Shows(ship.view, picture[facing])) << "frame " << frame;
    if (vxBefore == 0.0 && !newCourse && ship.x > 0.0 && ship.x < 900.0) straightCourses += 1;
  }
  EXPECT_LE(longestCourse, 389) << "a new course comes at least every 390 frames";
  EXPECT_GT(straightCourses, 0) << "no course without sideways speed came up to check";
  CargoShipDeactivate();
  EXPECT_FALSE(Shown(ship.view));
  const double x = ship.x;
  UpdateCargoShip();
  EXPECT_EQ(ship.x, x) << "an inactive freighter does not move";
  EXPECT_FALSE(CargoShipHit(int(x) + 50, 600, 40)) << "nothing hits an inactive freighter";
  // Its hit test covers the hull and the body to their last pixel.
  CargoShipPlace(0, 0);
  GameState.CargoShip.x = 100.7;  // truncated: the hull spans x 100..240, y 640..700; the body x 142..194, y 560..700
  GameState.CargoShip.y = 560.9;
  // A rock of size 12 is a square of side 10; above the hull only the body can be touched.
  struct Case {
    int x, y, size;
    bool hit;
  } cases[] = {
      {90, 650, 12, true},   {89, 650, 12, false}, {90, 650, 11, false},  {240, 650, 12, true},
      {241, 650, 12, false}, {100, 630, 12, true}, {100, 629, 12, false}, {100, 700, 12, true},
      {100, 701, 12, false}, {150, 550, 12, true}, {150, 549, 12, false}, {132, 600, 12, true},
      {131, 600, 12, false}, {194, 600, 12, true}, {195, 600, 12, false}, {140, 620, 80, true},
  };
  for (const Case& c : cases) EXPECT_EQ(CargoShipHit(c.x, c.y, c.size), c.hit) << c.x << "," << c.y << " " << c.size;
}
