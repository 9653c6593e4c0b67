// The six 1024 x 768 space backgrounds. Each is a domain-warped fractal nebula in its own colours,
// laid along a broad band so the picture has a shape, cut by dark dust lanes and sprinkled with a
// few faint fixed stars. The nebula is worked out at half size and enlarged smoothly; the top-left
// (score plate) and the bottom strip (HUD) are kept dark.
#include "raster.h"

#include <algorithm>

namespace artgen {

namespace {

constexpr int kW = 1024, kH = 768;
constexpr int kScale = 2;

struct Theme {
  const char* file;
  uint64_t seed;
  Vec3 deep;           // tint of the empty sky
  Vec3 cloud;          // main nebula colour
  Vec3 bright;         // second, brighter gas
  Vec3 hot;            // the glowing hearts
  float bandX, bandY;  // a point on the nebula band (in screen heights)
  float bandAngle;     // radians
  float bandWidth;
  float strength;
  float lanes;  // how much the dust lanes cut in
  Vec3 accent;  // a second, fainter gas of another hue
  float accentX, accentY, accentR;
  float accentGain;
};

class Sky {
 public:
  explicit Sky(const Theme& t) : t_(t), warp_(t.seed), shape_(t.seed * 7 + 1), dust_(t.seed * 13 + 5) {}

  Vec3 nebula(float u, float v) const {
    // Base sky: deep navy with a slow swell of the theme's tint.
    float swell = 0.5f + 0.5f * shape_.fbm(u * 0.9f + 3, v * 0.9f + 1, 2);
    Vec3 sky = mix(hex(0x04060d), hex(0x0a1024), 0.3f + 0.5f * v);

    // Composition: a broad band, broken up at a large scale.
    float ca = std::cos(t_.bandAngle), sa = std::sin(t_.bandAngle);
    float across = (u - t_.bandX) * -sa + (v - t_.bandY) * ca;
    float along = (u - t_.bandX) * ca + (v - t_.bandY) * sa;
    float wob = 0.14f * shape_.fbm(along * 1.4f + 4, 0.5f, 2);
    float band = std::exp(-((across + wob) / t_.bandWidth) * ((across + wob) / t_.bandWidth));
    float breakup = smoothstep(-0.6f, 0.55f, shape_.fbm(u * 1.2f + 11, v * 1.2f + 2, 3));
    float mask = band * (0.3f + 0.85f * breakup) + 0.1f * breakup;
    sky = sky + t_.deep * (0.045f * swell + 0.11f * mask);

    // A gentle warp keeps the gas soft and curling without marbling it.
    float qx = warp_.fbm(u * 1.7f, v * 1.7f, 3);
    float qy = warp_.fbm(u * 1.7f + 5.2f, v * 1.7f + 1.3f, 3);
    float gas = warp_.fbm(u * 2.3f + 0.85f * qx + 1.7f, v * 2.3f + 0.85f * qy + 9.2f, 6, 2.05f, 0.52f);
    float dens = smoothstep(-0.45f, 1.0f, gas) * mask * t_.strength;
    // Bright filaments where the gas folds.
    float fold = dust_.ridged(u * 3.1f + 0.7f * qx + 20, v * 3.1f + 0.7f * qy, 4);
    float filament = fold * fold * fold * fold * smoothstep(0.05f, 0.4f, dens);
    float e = dens * 0.95f + filament * 0.35f;

    Vec3 c = sky + t_.cloud * (e * 0.5f) + t_.bright * (e * e * 0.75f) + t_.hot * (e * e * e * e * 0.9f);

    // The accent gas: a looser cloud of a neighbouring hue somewhere else in the picture.
    float ax = (u - t_.accentX) / t_.accentR, ay = (v - t_.accentY) / t_.accentR;
    float blob = std::exp(-(ax * ax + ay * ay));
    if (blob > 0.01f) {
      float gas2 = warp_.fbm(u * 3.0f - 0.6f * qy + 40, v * 3.0f + 0.6f * qx + 12, 5);
      float d2 = smoothstep(-0.3f, 1.0f, gas2) * blob;
      c = c + t_.accent * ((d2 * 0.32f + d2 * d2 * 0.45f) * t_.accentGain);
    }

    // Dark dust lanes across the gas.
    float ridge = dust_.ridged(u * 2.2f - 0.5f * qy + 7, v * 2.2f + 0.5f * qx + 31, 3);
    float lane = smoothstep(0.6f, 0.95f, ridge) * smoothstep(0.08f, 0.5f, dens);
    c = c * (1 - t_.lanes * lane);
    return c;
  }

  Image render() const {
    const int w = kW / kScale, h = kH / kScale;
    Image small(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        float u = (x + 0.5f) * kScale / kH, v = (y + 0.5f) * kScale / kH;
        Vec3 c = nebula(u, v);
        small.at(x, y) = {c.x, c.y, c.z, 1};
      }
    Image big = small.resize(kW, kH);
    stars(big);
    keepPanelsDark(big);
    return big;
  }

 private:
  void stars(Image& img) const {
    Rng rng(t_.seed * 101 + 3);
    const Vec3 tints[] = {hex(0xffffff), hex(0xcfe4ff), hex(0xfff1d6), hex(0xbfd8ff), hex(0xffe0c4)};
    // Faint dust of distant suns.
    for (int i = 0; i < 520; ++i) {
      int x = rng.below(kW), y = rng.below(kH);
      float b = rng.range(0.06f, 0.3f);
      img.blend(x, y, tints[rng.below(5)], b);
    }
    // A few nearer ones with a soft halo, still well below the drifting stars' white.
    for (int i = 0; i < 30; ++i) {
      float x = rng.range(4, kW - 4), y = rng.range(4, kH - 4);
      Vec3 c = tints[rng.below(5)];
      float b = rng.range(0.4f, 0.7f);
      img.dot(x, y, 1.8f, c, b * 0.25f, 1.6f);
      img.dot(x, y, 0.6f, c, b, 0.7f);
    }
  }

  static void keepPanelsDark(Image& img) {
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        float ex = x / 380.0f, ey = y / 95.0f;
        float corner = 1 - smoothstep(0.6f, 1.25f, std::sqrt(ex * ex + ey * ey));
        float strip = smoothstep(712.0f, 748.0f, static_cast<float>(y));
        float k = 1 - 0.5f * corner - 0.5f * strip;
        Pixel& p = img.at(x, y);
        p.r *= k;
        p.g *= k;
        p.b *= k;
      }
  }

  Theme t_;
  Noise warp_, shape_, dust_;
};

}  // namespace

void makeSpace() {
  const Theme themes[] = {
      // Violet: a diagonal drift from the upper right to the lower left, a blue veil below.
      {"Images/space.png", 101, hex(0x5a3d9e), hex(0x6b3fb8), hex(0xa86ff0), hex(0xf0c8ff), 0.75f, 0.45f, -0.6f, 0.32f,
       1.0f, 0.55f, hex(0x3a5ad0), 1.05f, 0.85f, 0.33f, 1.0f},
      // Teal: a wide river across the middle with a sea-green fringe.
      {"Images/space1.png", 202, hex(0x1b6f78), hex(0x14807a), hex(0x2fd0c0), hex(0xc8fff4), 0.6f, 0.55f, 0.15f, 0.3f,
       1.0f, 0.6f, hex(0x2a70b0), 0.25f, 0.25f, 0.3f, 1.0f},
      // Crimson: a heavy cloud on the right, an ember-orange glow in it.
      {"Images/space2.png", 303, hex(0x6e1a24), hex(0x9a1e2e), hex(0xe8583e), hex(0xffd0a0), 1.05f, 0.5f, 1.35f, 0.36f,
       1.05f, 0.6f, hex(0x6a2a8a), 0.35f, 0.75f, 0.3f, 1.0f},
      // Blue: a long band from upper left to lower right with a cold cyan tinge.
      {"Images/space3.png", 404, hex(0x1d3a8a), hex(0x2450b8), hex(0x5a96f5), hex(0xd6ecff), 0.65f, 0.5f, 0.55f, 0.3f,
       1.05f, 0.5f, hex(0x6a3ab0), 1.1f, 0.2f, 0.3f, 1.0f},
      // Green-gold: an emerald haze lit by a golden heart.
      {"Images/space4.png", 505, hex(0x1f6a4a), hex(0x1a8a5a), hex(0x9cc050), hex(0xffd870), 0.5f, 0.62f, -0.25f, 0.34f,
       1.0f, 0.55f, hex(0xffb838), 0.9f, 0.55f, 0.36f, 1.9f},
      // Magenta: curling clouds on the left, a violet mist on the right.
      {"Images/space5.png", 606, hex(0x6a1f5e), hex(0x8a2079), hex(0xe050b8), hex(0xffd0f0), 0.35f, 0.5f, 1.45f, 0.34f,
       1.0f, 0.6f, hex(0x4a3ab8), 1.05f, 0.35f, 0.32f, 1.0f},
  };
  for (const Theme& t : themes) Sky(t).render().save(t.file, true);
}

}  // namespace artgen
