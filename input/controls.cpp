#include "input/controls.h"

#include <cmath>

#include "core/game_state.h"
#include "core/scene.h"
#include "input/steering.h"
#include "views/views.h"

namespace {

constexpr int32_t kReleaseReach = 199;  // a finger lifted within this distance lets go
constexpr int32_t kKnobHalf = 32;       // the knob picture is centred on the point it marks
// A pull of p pixels steers as p / 75 of a full pull: the longest one the knob allows, 74 px,
// stays just short of full steering.
constexpr int32_t kPullScale = kKnobReach + 1;

struct Layout {
  int32_t zoneX, zoneY, knobX, knobY, fireX, fireY, centreX, centreY;
};

constexpr Layout kRightHand = {874, 618, 914, 661, 32, 660, 946, 693};
constexpr Layout kLeftHand = {24, 618, 65, 661, 914, 660, 97, 693};

int32_t DistanceFromCentre(double x, double y) {
  const double dx = x - GameState.ControlCentreX;
  const double dy = y - GameState.ControlCentreY;
  return static_cast<int32_t>(std::sqrt(dx * dx + dy * dy));
}

void ApplyLayout(const Layout& layout) {
  ViewSetxy(GameState.controlZone, layout.zoneX, layout.zoneY);
  ViewSetxy(GameState.controlPoint, layout.knobX, layout.knobY);
  ViewSetxy(GameState.firePoint, layout.fireX, layout.fireY);
  ViewSetxy(GameState.firePointDown, layout.fireX, layout.fireY);
  GameState.ControlCentreX = layout.centreX;
  GameState.ControlCentreY = layout.centreY;
  ViewSetVisible(GameState.controlZone, 1);
  ViewSetVisible(GameState.controlPoint, 1);
  ViewSetVisible(GameState.firePoint, 1);
}

}  // namespace

void PlaceControls() {
  if (GameState.controlMethod != ControlRightHand && GameState.controlMethod != ControlLeftHand) return;
  ApplyLayout(GameState.controlMethod == ControlRightHand ? kRightHand : kLeftHand);
  // A pull left over from an earlier round does not steer this one unless the knob is still held.
  if (GameState.ControlDragging == 0) {
    SetAxis(0, 0, kSourceTouch);
    SetAxis(1, 0, kSourceTouch);
  }
}

void ControlZoneMove(int32_t x, int32_t y) {
  if (GameState.SceneState != ScenePlaying || MessageBoxIsOpen() || GameState.controlPoint < 1) return;
  if (DistanceFromCentre(x, y) > kKnobReach) return;
  if (x < 33) x = 33;
  if (y > 736) y = 737;
  ViewSetxy(GameState.controlPoint, x - kKnobHalf, y - kKnobHalf);
  const int32_t deflectionX = GameState.ControlCentreX - x;
  const int32_t deflectionY = GameState.ControlCentreY - y;
  SetAxis(0, (deflectionX * -kFullPull) / kPullScale, kSourceTouch);
  SetAxis(1, (deflectionY * -kFullPull) / kPullScale, kSourceTouch);
}

void ControlZoneRelease(double x, double y) {
  if (DistanceFromCentre(x, y) > kReleaseReach) return;
  ControlZoneLetGo();
}

void ControlZoneLetGo() {
  GameState.ControlDragging = 0;
  SetAxis(0, 0, kSourceTouch);
  SetAxis(1, 0, kSourceTouch);
  // Until the knob is created (while loading) its id is 0, which names the loading background.
  if (GameState.controlPoint < 1) return;
  if (GameState.controlMethod == ControlRightHand) {
    ViewSetxy(GameState.controlPoint, kRightHand.knobX, kRightHand.knobY);
  } else if (GameState.controlMethod == ControlLeftHand) {
    ViewSetxy(GameState.controlPoint, kLeftHand.knobX, kLeftHand.knobY);
  }
}

int ControlPointTouched(int phase, int, int) {
  if (MessageBoxIsOpen()) return 0;
  if (phase == kPhasePressed) GameState.ControlDragging = 1;
  return 0;
}
