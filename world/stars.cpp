#include "world/stars.h"

#include "core/game_state.h"
#include "views/views.h"
#include "world/random.h"

void InitStars() {
  for (Star& star : GameState.StarField.stars) {
    star.view = ViewAdd("Images/star.png", -50, -50);
    ViewHide(star.view, static_cast<int32_t>(RandomBelow(50)));
    ViewSetVisible(star.view, 0);
  }
}

void StartStars() {
  for (Star& star : GameState.StarField.stars) {
    star.x = static_cast<int32_t>(RandomBelow(1024));
    star.y = static_cast<int32_t>(RandomBelow(828)) - 60;
    star.speed = static_cast<int32_t>(RandomBelow(3)) + 1;
    ViewSetxy(star.view, star.x, star.y);
    ViewHide(star.view, static_cast<int32_t>(RandomBelow(50)) + 50);
    ViewSetVisible(star.view, 1);
  }
}

void UpdateStars() {
  for (Star& star : GameState.StarField.stars) {
    star.y += star.speed;
    ViewSetxy(star.view, star.x, star.y);
    if (star.y > 778) {
      star.x = static_cast<int32_t>(RandomBelow(1024));
      star.y = 0;
      ViewSetxy(star.view, star.x, 0);
      ViewHide(star.view, static_cast<int32_t>(RandomBelow(50)));
    }
  }
}

void HideStars() {
  for (const Star& star : GameState.StarField.stars) ViewSetVisible(star.view, 0);
}
