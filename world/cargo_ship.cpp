#include "world/cargo_ship.h"

#include "core/game_state.h"
#include "views/views.h"
#include "world/contact.h"
#include "world/explosions.h"
#include "world/random.h"

namespace {

// The band the freighter drifts in.
constexpr double kMinX = 0.0, kMaxX = 900.0, kMinY = 550.0, kMaxY = 600.0;

// Draws a new drift velocity and the age of the next course change.
void CargoShipNewCourse() {
  CargoShipRecord& ship = GameState.CargoShip;
  ship.vx = (static_cast<int32_t>(RandomBelow(400)) - 200) / 250.0;
  ship.vy = (static_cast<int32_t>(RandomBelow(400)) - 200) / 200.0;
  ship.nextTurn = static_cast<int32_t>(RandomBelow(7)) * 30 + 210 + ship.age;
}

void SwitchOff() {
  CargoShipRecord& ship = GameState.CargoShip;
  ship.active = false;
  ship.age = 0;
  ViewSetVisible(ship.view, 0);
}

}  // namespace

void CreateCargoShip() {
  CargoShipRecord& ship = GameState.CargoShip;
  ship.imageStraight = ImageAdd("Images/CShip.png");
  ship.imageLeft = ImageAdd("Images/CShip_left.png");
  ship.imageRight = ImageAdd("Images/CShip_right.png");
  ship.view = ViewAddFromImage(ship.imageStraight, -500, -500);
  ViewSetVisible(ship.view, 0);
}

void CargoShipPlace(int32_t x, int32_t y) {
  CargoShipRecord& ship = GameState.CargoShip;
  ship.x = x;
  ship.y = y;
  ship.facing = 2;
  CargoShipNewCourse();
  ViewSetxy(ship.view, x, y);
  ViewSetVisible(ship.view, 1);
  ship.active = true;
}

void UpdateCargoShip() {
  CargoShipRecord& ship = GameState.CargoShip;
  if (!ship.active) return;
  ship.age += 1;
  if (ship.age >= ship.nextTurn) CargoShipNewCourse();
  const double oldX = ship.x;
  ship.x += ship.vx;
  ship.y += ship.vy;
  if (ship.x < kMinX) {
    ship.x = kMinX;
    CargoShipNewCourse();
  }
  if (ship.y < kMinY) {
    ship.y = kMinY;
    CargoShipNewCourse();
  }
  if (ship.x > kMaxX) {
    ship.x = kMaxX;
    CargoShipNewCourse();
  }
  if (ship.y > kMaxY) {
    ship.y = kMaxY;
    CargoShipNewCourse();
  }
  if (ship.x < oldX && ship.facing != 1) {
    ship.facing = 1;
    ViewSetImage(ship.view, ship.imageLeft);
  } else if (ship.x > oldX && ship.facing != 0) {
    ship.facing = 0;
    ViewSetImage(ship.view, ship.imageRight);
  } else if (ship.facing != 2 && ship.x == oldX) {
    ship.facing = 2;
    ViewSetImage(ship.view, ship.imageStraight);
  }
  ViewSetxy(ship.view, static_cast<int32_t>(ship.x), static_cast<int32_t>(ship.y));
}

void CargoShipDeactivate() { SwitchOff(); }

void CargoShipWreck() {
  SpawnExplosion(static_cast<int32_t>(GameState.CargoShip.x), static_cast<int32_t>(GameState.CargoShip.y));
  SwitchOff();
}

bool CargoShipHit(int32_t x, int32_t y, int32_t size) {
  const CargoShipRecord& ship = GameState.CargoShip;
  if (!ship.active) return false;
  const int32_t s = size - 2;
  const int32_t cx = static_cast<int32_t>(ship.x), cy = static_cast<int32_t>(ship.y);
  return Touches(cx, cx + 140, cy + 80, cy + 140, x, y, s) || Touches(cx + 42, cx + 94, cy, cy + 140, x, y, s);
}
