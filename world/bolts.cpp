#include "world/bolts.h"

#include "core/game_state.h"
#include "views/views.h"
#include "world/contact.h"
#include "world/explosions.h"
#include "world/mission.h"

namespace {

constexpr int32_t kBoltSpeed = 12;
constexpr int32_t kInFlightFromY = -49;  // a bolt above this is idle

// Returns the first slot of the pool that the bolt touches, or null.
template <typename Slots>
HazardSlot* FirstHit(Slots& slots, const BoltSlot& bolt) {
  for (HazardSlot& slot : slots) {
    if (BoltHit(slot.x, slot.y, bolt.x, bolt.y, slot.size)) return &slot;
  }
  return nullptr;
}

}  // namespace

void UpdateBolts() {
  for (BoltSlot& bolt : GameState.BoltPool.slots) {
    if (bolt.y < kInFlightFromY) continue;
    bolt.y -= kBoltSpeed;
    if (HazardSlot* rock = FirstHit(GameState.Asteroids.slots, bolt)) {
      SpawnExplosion(rock->x, rock->y);
      bolt.y = -60;
      rock->x = -70;
      GameState.score -= rock->size;
    }
    // Tested with the bolt's y as it now stands, also after a hit above.
    if (HazardSlot* rock = FirstHit(GameState.Infected.slots, bolt)) {
      SpawnExplosion(rock->x, rock->y);
      bolt.y = -60;
      rock->x = -70;
      GameState.score = static_cast<int32_t>(GameState.score + rock->size * 1.5);
      CountDestroyedInfected();
    }
    ViewSetxy(bolt.view, bolt.x, bolt.y);
    ViewSetVisible(bolt.view, 1);
  }
}
