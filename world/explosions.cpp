#include "world/explosions.h"

#include <cstdio>

#include "audio/sound.h"
#include "core/game_state.h"
#include "views/views.h"

void InitExplosions() {
  ExplosionManagerRecord& e = GameState.Explosions;
  e.next = 0;
  e.frameCount = kExplosionFrames + 1;
  char name[64];
  for (int n = 1; n <= kExplosionFrames; ++n) {
    snprintf(name, sizeof name, "Images/shipExplosion/EXPL%d.png", n);
    e.frameImage[n] = ImageAdd(name);
  }
  for (ExplosionSlot& slot : e.slots) {
    slot.frame = 1;
    slot.view = ViewAddFromImage(e.frameImage[1], -250, -250);
  }
  e.sound = SoundAdd("Sounds/explosion.wav");
  HideExplosions();
}

void SpawnExplosion(int32_t x, int32_t y) {
  ExplosionManagerRecord& e = GameState.Explosions;
  if (e.next > kExplosionSlots - 1) e.next = 0;
  ExplosionSlot& slot = e.slots[e.next];
  slot.frame = 1;
  ViewSetImage(slot.view, e.frameImage[1]);
  slot.x = x - 90;
  slot.y = y - 70;
  ViewSetxy(slot.view, slot.x, slot.y);
  ViewSetVisible(slot.view, 1);
  e.next += 1;
  if (GameState.soundOn) PlaySound(e.sound);
}

void UpdateExplosions() {
  ExplosionManagerRecord& e = GameState.Explosions;
  for (ExplosionSlot& slot : e.slots) {
    slot.frame += 1;
    if (slot.frame < e.frameCount) {
      ViewSetImage(slot.view, e.frameImage[slot.frame]);
    } else {
      ViewSetVisible(slot.view, 0);
    }
  }
}

void HideExplosions() {
  for (ExplosionSlot& slot : GameState.Explosions.slots) {
    ViewSetVisible(slot.view, 0);
    ViewSetxy(slot.view, -500, -500);
  }
}
