#include "world/asteroids.h"

#include <type_traits>

#include "core/game_state.h"
#include "views/views.h"
#include "world/cargo_ship.h"
#include "world/contact.h"
#include "world/damage.h"
#include "world/explosions.h"
#include "world/mission.h"
#include "world/random.h"

namespace {

constexpr int32_t kFastSpeed = 24;  // one asteroid in five

void Place(HazardSlot& slot, int32_t x, int32_t d, int32_t speed, ImageId image) {
  slot.size = d / 2 + 20;
  slot.x = x;
  slot.y = -60;
  slot.speed = speed;
  ViewSetImage(slot.view, image);
  ViewSetImageSize(slot.view, d, d);
  ViewSetVisible(slot.view, 1);
}

// Moves every slot; a hazard touching the cargo ship destroys it (which fails the mission) and
// goes with it. Returns the first slot that touches the player ship, or null.
template <typename Slots>
HazardSlot* MoveAndFindShipHit(Slots& slots) {
  for (HazardSlot& slot : slots) {
    slot.y += slot.speed;
    ViewSetxy(slot.view, slot.x, slot.y);
    if (CargoShipHit(slot.x, slot.y, slot.size)) {
      LoseCargoShip();
      slot.x = -500;
    }
    if (ShipHit(slot.x, slot.y, slot.size)) return &slot;
  }
  return nullptr;
}

void ResolveShipHit(HazardSlot* hit) {
  if (hit == nullptr) return;
  ApplyImpact(static_cast<int32_t>(hit->size * 3.5));
  if (GameState.Structure > 0) {
    RefreshShipBars();
    SpawnExplosion(hit->x, hit->y);
    hit->x = -100;
    return;
  }
  GameState.Structure = 0;
  RefreshShipBars();
  SpawnExplosion(GameState.ShipX, GameState.ShipY);
  GameState.RoundOutcome = RoundShipLost;
  hit->x = -100;
}

// Takes over the pool's next slot (the oldest in the ring) for a new hazard of a random picture.
template <typename Pool>
void Launch(Pool& pool, int32_t x, int32_t size, int32_t speed) {
  constexpr int32_t kSlots = static_cast<int32_t>(std::extent_v<decltype(Pool::slots)>);
  constexpr uint32_t kPictures = static_cast<uint32_t>(std::extent_v<decltype(Pool::images)>);
  if (pool.next > kSlots - 1) pool.next = 0;
  HazardSlot& slot = pool.slots[pool.next];
  ViewSetVisible(slot.view, 0);
  Place(slot, x, size, speed, pool.images[RandomBelow(kPictures)]);
  pool.next += 1;
}

// Hidden, still and out of reach, as every slot is between rounds.
template <typename Slots>
void Park(Slots& slots) {
  for (HazardSlot& slot : slots) {
    ViewSetVisible(slot.view, 0);
    slot.size = 0;
    slot.speed = 0;
    slot.x = -100;
    slot.y = -100;
  }
}

}  // namespace

void InitAsteroids() {
  AsteroidPoolRecord& pool = GameState.Asteroids;
  pool.images[0] = ImageAdd("Images/asteroid.png");
  pool.images[1] = ImageAdd("Images/asteroid2.png");
  pool.images[2] = ImageAdd("Images/asteroid3.png");
  for (HazardSlot& slot : pool.slots) slot.view = ViewAddFromImage(pool.images[RandomBelow(3)], -100, -100);
  Park(pool.slots);
}

void InitInfected() {
  InfectedPoolRecord& pool = GameState.Infected;
  pool.images[0] = ImageAdd("Images/asteroid1_inf.png");
  pool.images[1] = ImageAdd("Images/asteroid2_inf.png");
  for (HazardSlot& slot : pool.slots) slot.view = ViewAddFromImage(pool.images[RandomBelow(2)], -200, -200);
  Park(pool.slots);
}

void ClearHazards() {
  Park(GameState.Asteroids.slots);
  Park(GameState.Infected.slots);
}

void UpdateAsteroids() {
  AsteroidPoolRecord& pool = GameState.Asteroids;
  if (GameState.FreePlay == 1) {
    if (GameState.RoundFrame > 600) GameState.RoundAsteroidPace = 45;
    if (GameState.RoundFrame > 1800) GameState.RoundAsteroidPace = 30;
  }
  const int32_t period = GameState.RoundAsteroidPace / 4;
  if (period > 0 && GameState.RoundFrame % period == 0) {
    const int32_t x = static_cast<int32_t>(RandomBelow(1024)) - 10;
    const int32_t d = static_cast<int32_t>(RandomBelow(60)) + 20;
    int32_t speed = static_cast<int32_t>(RandomBelow(5)) + 2;
    if (RandomBelow(10) > 7) speed = kFastSpeed;
    Launch(pool, x, d, speed);
  }
  ResolveShipHit(MoveAndFindShipHit(pool.slots));
}

void UpdateInfected() {
  InfectedPoolRecord& pool = GameState.Infected;
  if (GameState.FreePlay != 1 && GameState.currentMission.infectedRange == -1) return;
  const int32_t period = GameState.InfectedPeriod;
  if (period > 0 && GameState.RoundFrame % period == 0) {
    const int32_t x = static_cast<int32_t>(RandomBelow(1024)) - 10;
    const int32_t d = static_cast<int32_t>(RandomBelow(30)) + 50;
    const int32_t speed = static_cast<int32_t>(RandomBelow(5)) + 2;
    Launch(pool, x, d, speed);
  }
  ResolveShipHit(MoveAndFindShipHit(pool.slots));
}

bool ShipHit(int32_t x, int32_t y, int32_t size) {
  const int32_t s = size - 5;
  const int32_t sx = GameState.ShipX, sy = GameState.ShipY;
  return Touches(sx, sx + 80, sy + 30, sy + 80, x, y, s) || Touches(sx + 32, sx + 49, sy, sy + 90, x, y, s);
}
