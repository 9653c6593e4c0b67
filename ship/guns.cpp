#include "ship/guns.h"

#include "core/game_state.h"
#include "views/views.h"

void InitBolts() {
  for (BoltSlot& bolt : GameState.BoltPool.slots) {
    bolt.view = ViewAddFromImage(GameState.laserBeamImage, -50, -50);
    ViewSetVisible(bolt.view, 0);
  }
  ClearBolts();
}

void ClearBolts() {
  for (BoltSlot& bolt : GameState.BoltPool.slots) {
    ViewSetVisible(bolt.view, 0);
    ViewSetxy(bolt.view, -100, -100);
    bolt.x = -100;
    bolt.y = -100;
  }
}

void FireGun(int32_t gun) {
  if (GameState.weaponsLevel >= 4 && GameState.weaponsLevel <= 6) {
    if (gun == kGunRightWing) FireBolt(77, 33);
    if (gun == kGunLeftWing) FireBolt(2, 33);
    if (gun == kGunNose) FireBolt(38, 0);
  } else {
    FireBolt(38, 0);
  }
}

void FireBolt(int32_t dx, int32_t dy) {
  BoltPoolRecord& pool = GameState.BoltPool;
  if (pool.next > kBoltSlots - 1) pool.next = 0;
  BoltSlot& bolt = pool.slots[pool.next];
  ViewSetVisible(bolt.view, 0);
  bolt.x = GameState.ShipX + dx;
  bolt.y = GameState.ShipY + dy;
  ViewSetVisible(bolt.view, 1);
  pool.next += 1;
}
