// The two tiny pixel-exact sprites: the laser bolt and the drifting star.
#include "raster.h"

namespace artgen {

namespace {

// 3 x 32, flying upwards: a white-hot head, cyan flanks and a tail that thins out at the bottom.
void laserBeam() {
  Image img(3, 32);
  const Vec3 white = hex(0xffffff), paleCyan = hex(0x8ff3ff), cyan = hex(0x38d9f5);
  for (int y = 0; y < 32; ++y) {
    float t = y / 31.0f;
    float coreA = (y == 0 ? 0.8f : 1.0f) * (1.0f - 0.85f * smoothstep(0.3f, 1.0f, t));
    Vec3 core = mix(white, paleCyan, smoothstep(0.25f, 0.9f, t));
    float sideA = (y == 0 ? 0.2f : y == 1 ? 0.6f : 0.9f) * (1.0f - smoothstep(0.15f, 0.97f, t));
    Vec3 side = mix(paleCyan, cyan, smoothstep(0.0f, 0.35f, t));
    img.blend(1, y, core, coreA);
    img.blend(0, y, side, sideA);
    img.blend(2, y, side, sideA);
  }
  img.save("Images/laserBeam.png");
}

// 3 x 3 soft white point with a faint blue-white halo.
void star() {
  Image img(3, 3);
  const Vec3 halo = hex(0xd8ecff);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) {
      int d = (x != 1) + (y != 1);
      if (d == 0)
        img.blend(x, y, hex(0xffffff), 1.0f);
      else if (d == 1)
        img.blend(x, y, halo, 0.42f);
      else
        img.blend(x, y, halo, 0.1f);
    }
  img.save("Images/star.png");
}

}  // namespace

void makeSprites() {
  laserBeam();
  star();
}

}  // namespace artgen
