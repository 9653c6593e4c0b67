#include "world/pickups.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "ship/laser.h"
#include "views/views.h"
#include "world/asteroids.h"
#include "world/mission.h"
#include "world/random.h"

namespace {

constexpr int32_t kIcePeriod = 360;
constexpr int32_t kPickupSize = 32;
constexpr int32_t kOrePoints = 54;
constexpr double kIceCooling = 50.0;

void Spawn(PickupPoolRecord& pool) {
  const int32_t x = static_cast<int32_t>(RandomBelow(1004)) - 40;
  const int32_t speed = static_cast<int32_t>(RandomBelow(5)) + 2;
  if (pool.next > kPickupSlots - 1) pool.next = 0;
  PickupSlot& slot = pool.slots[pool.next];
  ViewSetVisible(slot.view, 0);
  slot.x = x;
  slot.y = -60;
  slot.speed = speed;
  ViewSetVisible(slot.view, 1);
  pool.next += 1;
}

// Moves every piece; returns the first one in slot order that touches the ship, or null.
PickupSlot* MoveAndFindCollected(PickupPoolRecord& pool) {
  for (PickupSlot& slot : pool.slots) {
    slot.y += slot.speed;
    ViewSetxy(slot.view, slot.x, slot.y);
    if (ShipHit(slot.x, slot.y, kPickupSize)) return &slot;
  }
  return nullptr;
}

void Park(PickupPoolRecord& pool) {
  for (PickupSlot& slot : pool.slots) {
    ViewSetVisible(slot.view, 0);
    slot.speed = 0;
    slot.x = -100;
    slot.y = -100;
  }
}

}  // namespace

void LoadPickupImages() {
  GameState.OreImage = ImageAdd("Images/calabrium.png");
  GameState.IceImage = ImageAdd("Images/ice.png");
}

void InitOre() {
  for (PickupSlot& slot : GameState.OrePool.slots) slot.view = ViewAddFromImage(GameState.OreImage, -60, -60);
  for (PickupSlot& slot : GameState.IcePool.slots) slot.view = ViewAddFromImage(GameState.IceImage, -60, -60);
  ClearPickups();
}

void ClearPickups() {
  Park(GameState.OrePool);
  Park(GameState.IcePool);
}

void UpdateOre() {
  if (GameState.FreePlay != 1 && GameState.currentMission.oreRange == -1) return;
  if (GameState.OrePeriod > 0 && GameState.RoundFrame % GameState.OrePeriod == 0) Spawn(GameState.OrePool);
  PickupSlot* collected = MoveAndFindCollected(GameState.OrePool);
  if (collected == nullptr) return;
  if (GameState.soundOn) PlaySound(GameState.CalabriumSound);
  CountCollectedOre();
  collected->x = -100;
  GameState.score += kOrePoints;
}

void UpdateIce() {
  if (GameState.RoundFrame % kIcePeriod == 0) Spawn(GameState.IcePool);
  PickupSlot* collected = MoveAndFindCollected(GameState.IcePool);
  if (collected == nullptr) return;
  if (GameState.soundOn) PlaySound(GameState.CalabriumSound);
  collected->x = -100;
  CoolLaserBy(kIceCooling);
}
