// The five 80 x 80 rocks: three plain asteroids and two infected ones. Each is a lumpy dome
// with craters, lit from the upper left, rendered at four times the size and boxed down so the
// outline stays clean when the game squeezes it to 20 pixels.
#include "raster.h"

#include <algorithm>
#include <vector>

namespace artgen {

namespace {

constexpr int kSize = 80;
constexpr int kSS = 4;  // supersampling factor
constexpr int kBig = kSize * kSS;
constexpr float kPi = 3.14159265f;

struct RockStyle {
  const char* file;
  uint64_t seed;
  float radius;             // mean outline radius in pixels
  float elong, elongAngle;  // oval stretch and its direction
  float lumps;              // large bulges of the outline
  float jag;                // fine roughness of the outline
  int craters;
  float craterMax;        // largest crater radius, pixels
  float bumps;            // surface relief
  Vec3 albedoA, albedoB;  // the two mineral tones
  Vec3 speck;             // glints of bright mineral
  bool infected;
};

struct Crater {
  float x, y, r, ux, uy, squash, depth;
};

class Rock {
 public:
  explicit Rock(const RockStyle& s) : s_(s), noise_(s.seed), detail_(s.seed * 31 + 7) {
    Rng rng(s.seed * 977 + 13);
    for (int k = 0; k < 5; ++k) {
      harmonicAmp_[k] = rng.range(0.5f, 1.0f) / std::pow(static_cast<float>(k + 3), 0.9f);
      harmonicPhase_[k] = rng.range(0, 2 * kPi);
    }
    // Craters: biggest first, scattered over the face, fewer near the rim.
    for (int i = 0; i < s.craters; ++i) {
      float r = s.craterMax * std::pow(rng.range(0.25f, 1.0f), 1.6f);
      float ang = rng.range(0, 2 * kPi);
      float dist = std::sqrt(rng.uniform()) * 0.78f;
      float cx = 40 + std::cos(ang) * dist * s.radius, cy = 40 + std::sin(ang) * dist * s.radius;
      float squash = std::max(0.4f, std::sqrt(1 - dist * dist));
      craters_.push_back({cx, cy, r, std::cos(ang), std::sin(ang), squash, rng.range(0.35f, 0.55f)});
    }
  }

  float outline(float theta) const {
    float r = 1 + s_.elong * std::cos(2 * (theta - s_.elongAngle));
    for (int k = 0; k < 5; ++k) r += s_.lumps * harmonicAmp_[k] * std::cos((k + 3) * theta + harmonicPhase_[k]);
    r += s_.jag * noise_.fbm(std::cos(theta) * 2.2f + 5, std::sin(theta) * 2.2f + 9, 4);
    return std::min(s_.radius * r, s_.infected ? 33.5f : 38.8f);
  }

  // Height of the surface in pixels at a point of the picture (0 outside).
  float height(float x, float y, float* q = nullptr) const {
    float dx = x - 40, dy = y - 40;
    float rho = std::hypot(dx, dy);
    float edge = outline(std::atan2(dy, dx));
    float qq = rho / edge;
    if (q) *q = qq;
    if (qq >= 1) return 0;
    float h = s_.radius * 0.9f * std::pow(1 - qq * qq, 0.55f);
    float inner = smoothstep(1.0f, 0.8f, qq);
    h += s_.bumps * s_.radius * 0.12f * noise_.fbm(x * 0.06f, y * 0.06f, 5) * inner;
    for (const Crater& c : craters_) {
      float px = x - c.x, py = y - c.y;
      float a = (px * c.ux + py * c.uy) / c.squash, b = -px * c.uy + py * c.ux;
      float d = std::sqrt(a * a + b * b) / c.r;
      if (d > 1.8f) continue;
      float bowl = d < 1 ? (d * d - 1) : 0;
      float rim = std::exp(-((d - 1) / 0.3f) * ((d - 1) / 0.3f));
      h += c.r * (c.depth * bowl + 0.16f * rim) * inner;
    }
    return h;
  }

  // 0 outside the craters, rising to 1 at the middle of a crater floor.
  float craterPool(float x, float y) const {
    float best = 0;
    for (const Crater& c : craters_) {
      float px = x - c.x, py = y - c.y;
      float a = (px * c.ux + py * c.uy) / c.squash, b = -px * c.uy + py * c.ux;
      float d = std::sqrt(a * a + b * b) / c.r;
      best = std::max(best, std::pow(clamp01(1 - d / 0.75f), 0.6f));
    }
    return best;
  }

  bool inCrater(float x, float y) const {
    for (const Crater& c : craters_) {
      float px = x - c.x, py = y - c.y;
      float a = (px * c.ux + py * c.uy) / c.squash, b = -px * c.uy + py * c.ux;
      if (a * a + b * b < c.r * c.r * 0.8f) return true;
    }
    return false;
  }

  Image render() const {
    // Height field on the fine grid, one sample border for the gradients.
    const int n = kBig + 2;
    std::vector<float> h(static_cast<size_t>(n) * n), qs(static_cast<size_t>(n) * n);
    for (int j = 0; j < n; ++j)
      for (int i = 0; i < n; ++i) {
        float x = (i - 1 + 0.5f) / kSS, y = (j - 1 + 0.5f) / kSS;
        h[j * n + i] = height(x, y, &qs[j * n + i]);
      }

    const Vec3 light = normalize({-0.55f, -0.65f, 0.55f});
    const Vec3 sun = {1.0f, 0.96f, 0.9f};
    const Vec3 ambient = {0.04f, 0.05f, 0.075f};
    const Vec3 rimColour = s_.infected ? Vec3{0.35f, 0.7f, 0.2f} : Vec3{0.3f, 0.55f, 0.7f};
    const Vec3 sick = {0.45f, 1.0f, 0.18f};

    Image big(kBig, kBig);
    Image glowLayer(kBig, kBig);
    for (int j = 0; j < kBig; ++j)
      for (int i = 0; i < kBig; ++i) {
        int k = (j + 1) * n + (i + 1);
        float x = (i + 0.5f) / kSS, y = (j + 0.5f) / kSS;
        float q = qs[k];
        if (q >= 1) {
          if (s_.infected) {
            // Sickly halo hugging the outline.
            float dx = x - 40, dy = y - 40;
            float out = std::hypot(dx, dy) - outline(std::atan2(dy, dx));
            float a = 0.6f * std::exp(-out / 2.6f);
            float flicker = 0.75f + 0.25f * detail_.at(x * 0.15f, y * 0.15f);
            glowLayer.blend(i, j, {0.42f, 0.95f, 0.2f}, a * flicker);
          }
          continue;
        }
        float gx = (h[k + 1] - h[k - 1]) * kSS * 0.5f;
        float gy = (h[k + n] - h[k - n]) * kSS * 0.5f;
        Vec3 nrm = normalize({-gx, -gy, 1.0f});

        // Mineral tones: broad patches, fine grain, a few bright specks.
        float patch = 0.5f + 0.5f * noise_.fbm(x * 0.045f + 30, y * 0.045f + 11, 4);
        Vec3 albedo = mix(s_.albedoA, s_.albedoB, smoothstep(0.3f, 0.72f, patch));
        float grain = detail_.fbm(x * 0.5f, y * 0.5f, 2);
        albedo = albedo * (1.0f + 0.13f * grain);
        if (detail_.at(x * 0.9f + 50, y * 0.9f) > 0.55f) albedo = mix(albedo, s_.speck, 0.55f);
        if (inCrater(x, y)) albedo = albedo * 0.82f;

        float veins = 0, tint = 0, pool = 0;
        if (s_.infected) {
          // Glowing veins branch over the rock; the crater floors hold pools of the stuff.
          float cluster = smoothstep(-0.6f, 0.15f, noise_.fbm(x * 0.035f + 70, y * 0.035f, 3));
          float rv = detail_.ridged(x * 0.065f + 3, y * 0.065f + 8, 2);
          veins = smoothstep(0.82f, 0.94f, rv) * cluster;
          float halo = smoothstep(0.6f, 0.94f, rv);
          tint = halo * halo * cluster;
          pool = craterPool(x, y);
          albedo = mix(albedo, {0.2f, 0.3f, 0.12f}, tint * 0.6f);
        }

        float diffuse = clamp01((dot(nrm, light) + 0.1f) / 1.1f);
        Vec3 c = albedo * (ambient + sun * (std::pow(diffuse, 1.15f) * 1.55f));
        // Faint cool bounce light on the shadowed limb keeps the silhouette readable.
        float limb = std::pow(1 - clamp01(nrm.z), 2.2f) * clamp01(0.7f * nrm.x + 0.7f * nrm.y);
        c = c + rimColour * (limb * 0.32f);
        if (s_.infected) {
          c = c + sick * (veins * 0.9f + tint * 0.18f);
          c = mix(c, Vec3{0.55f, 1.0f, 0.3f}, pool * 0.85f) + Vec3{0.3f, 0.35f, 0.1f} * (pool * pool * 0.5f);
        }
        // Antialias the outline on the fine grid as well.
        float cover = smoothstep(1.0f, 0.985f, q);
        big.blend(i, j, {std::min(c.x, 1.0f), std::min(c.y, 1.0f), std::min(c.z, 1.0f)}, cover);
      }

    if (s_.infected) {
      // A few small boils between the craters.
      Rng rng(s_.seed * 131 + 5);
      for (int p = 0; p < 3; ++p) {
        float ang = rng.range(0, 2 * kPi), dist = std::sqrt(rng.uniform()) * 0.65f * s_.radius;
        float cx = (40 + std::cos(ang) * dist) * kSS, cy = (40 + std::sin(ang) * dist) * kSS;
        float r = rng.range(1.0f, 1.8f) * kSS;
        big.dot(cx, cy, r * 1.8f, {0.25f, 0.6f, 0.1f}, 0.5f, r);
        big.dot(cx, cy, r, {0.6f, 1.0f, 0.3f}, 0.95f, kSS * 0.8f);
      }
      glowLayer.over(big);
      return glowLayer.downsample(kSS);
    }
    return big.downsample(kSS);
  }

 private:
  RockStyle s_;
  Noise noise_, detail_;
  float harmonicAmp_[5], harmonicPhase_[5];
  std::vector<Crater> craters_;
};

}  // namespace

void makeRocks() {
  const RockStyle styles[] = {
      // Grey-brown basalt, round and well cratered.
      {"Images/asteroid.png",
       11,
       36.0f,
       0.05f,
       0.6f,
       0.16f,
       0.035f,
       9,
       9.0f,
       1.0f,
       {0.50f, 0.46f, 0.42f},
       {0.36f, 0.33f, 0.31f},
       {0.72f, 0.70f, 0.66f},
       false},
      // Dark blue-grey carbon rock, elongated, a few large craters.
      {"Images/asteroid2.png",
       23,
       33.0f,
       0.16f,
       2.3f,
       0.12f,
       0.03f,
       5,
       12.0f,
       1.2f,
       {0.40f, 0.42f, 0.46f},
       {0.27f, 0.28f, 0.32f},
       {0.62f, 0.70f, 0.78f},
       false},
      // Rusty iron rock, angular and knobbly.
      {"Images/asteroid3.png",
       47,
       34.5f,
       0.08f,
       1.1f,
       0.30f,
       0.06f,
       7,
       7.5f,
       1.5f,
       {0.52f, 0.38f, 0.29f},
       {0.36f, 0.26f, 0.21f},
       {0.80f, 0.66f, 0.48f},
       false},
      // Infected: sick purple-grey rock shot through with glowing veins.
      {"Images/asteroid1_inf.png",
       61,
       30.0f,
       0.06f,
       0.3f,
       0.18f,
       0.04f,
       6,
       7.5f,
       1.1f,
       {0.34f, 0.30f, 0.34f},
       {0.24f, 0.22f, 0.25f},
       {0.55f, 0.62f, 0.45f},
       true},
      {"Images/asteroid2_inf.png",
       83,
       29.0f,
       0.14f,
       1.9f,
       0.24f,
       0.05f,
       4,
       9.0f,
       1.3f,
       {0.30f, 0.30f, 0.27f},
       {0.21f, 0.22f, 0.19f},
       {0.60f, 0.66f, 0.40f},
       true},
  };
  for (const RockStyle& s : styles) Rock(s).render().save(s.file);
}

}  // namespace artgen
