#include "ship/ship.h"

#include "core/game_state.h"
#include "input/controls.h"
#include "input/steering.h"
#include "ship/laser.h"
#include "views/views.h"

namespace {

constexpr int32_t kDivisors[6] = {120, 100, 80, 60, 50, 40};
constexpr int32_t kMinX = 0, kMaxX = 944, kMinY = 50, kMaxY = 658;

}  // namespace

int32_t HandlingDivisor() {
  const int32_t level = GameState.handlingLevel;
  return level >= 1 && level <= 6 ? kDivisors[level - 1] : 0;
}

void LoadShipImages() {
  GameState.shipImage = ImageAdd("Images/ship.png");
  GameState.shipLeftImage = ImageAdd("Images/ship_left.png");
  GameState.shipRightImage = ImageAdd("Images/ship_right.png");
}

void CreateShipViews() {
  GameState.shipView = ViewAddFromImage(GameState.shipImage, -500, -500);
  GameState.controlZone = ViewAdd("Images/controlZone.png", -500, -500);
  GameState.controlPoint = ViewAdd("Images/controlPoint.png", -500, -500, ControlPointTouched);
  GameState.firePoint = ViewAdd("Images/firePoint.png", -500, -500, FirePointTouched);
  GameState.firePointDown = ViewMarkPressedPicture(ViewAdd("Images/firePointDown.png", -500, -500));
  ViewSetVisible(GameState.controlZone, 0);
  ViewSetVisible(GameState.controlPoint, 0);
  ViewSetVisible(GameState.firePoint, 0);
  ViewSetVisible(GameState.firePointDown, 0);
}

void MoveShip() {
  const int32_t x0 = ViewGetX(GameState.shipView);
  const int32_t y0 = ViewGetY(GameState.shipView);
  const int32_t divisor = HandlingDivisor();
  int32_t x = x0, y = y0;
  if (divisor > 0) {
    x = static_cast<int32_t>(x0 + ReadSteerX() / divisor);
    y = static_cast<int32_t>(y0 + ReadSteerY() / divisor);
  }
  if (x < kMinX) x = kMinX;
  if (y < kMinY) y = kMinY;
  if (x > kMaxX) x = kMaxX;
  if (y > kMaxY) y = kMaxY;
  GameState.ShipX = x;
  GameState.ShipY = y;
  if (x < x0 && GameState.ShipBank != 1) {
    GameState.ShipBank = 1;
    ViewSetImage(GameState.shipView, GameState.shipLeftImage);
  } else if (x > x0 && GameState.ShipBank != 0) {
    GameState.ShipBank = 0;
    ViewSetImage(GameState.shipView, GameState.shipRightImage);
  } else if (GameState.ShipBank != 2 && x == x0) {
    GameState.ShipBank = 2;
    ViewSetImage(GameState.shipView, GameState.shipImage);
  }
  ViewSetxy(GameState.shipView, x, y);
}
