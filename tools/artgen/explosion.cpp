// The explosion flip-book: 26 frames of 220 x 200 centred on (110, 100). A white flash, a
// turbulent fireball of overlapping puffs that cools from yellow through orange and red into
// lit smoke, a shock ring, sparks, tumbling debris and hanging embers, all from fixed seeds.
#include "raster.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace artgen {

namespace {

constexpr int kW = 220, kH = 200;
constexpr float kCx = 110, kCy = 100;
constexpr int kFrames = 26;
constexpr float kPi = 3.14159265f;

struct Puff {
  float ux, uy, dist, r0, grow, heat;
};

struct Spark {
  float ux, uy, v0, drag, life, width, start;
};

struct Debris {
  float ux, uy, v0, drag, size;
};

Vec3 heatColour(float t) {
  struct Stop {
    float t;
    Vec3 c;
  };
  static const Stop stops[] = {
      {0.00f, {0.30f, 0.29f, 0.30f}},  // cold smoke
      {0.12f, {0.30f, 0.18f, 0.13f}},  // sooty brown
      {0.26f, {0.55f, 0.13f, 0.04f}},  // deep red
      {0.42f, {0.93f, 0.33f, 0.06f}},  // red-orange
      {0.56f, {1.00f, 0.55f, 0.10f}},  // the game's warm orange
      {0.72f, {1.00f, 0.76f, 0.26f}},  // yellow-orange
      {0.86f, {1.00f, 0.92f, 0.60f}},  // yellow
      {1.00f, {1.00f, 1.00f, 0.94f}},  // white hot
  };
  t = clamp01(t);
  for (size_t i = 1; i < sizeof(stops) / sizeof(stops[0]); ++i)
    if (t <= stops[i].t) {
      float u = (t - stops[i - 1].t) / (stops[i].t - stops[i - 1].t);
      return mix(stops[i - 1].c, stops[i].c, u);
    }
  return stops[7].c;
}

class Blast {
 public:
  Blast() : noise_(0xB1A57), wisp_(0x5EED5) {
    Rng rng(2024);
    // A hot core, an inner ring of puffs and an outer ring, spread evenly round the centre
    // so the cloud stays roughly round but lumpy.
    puffs_.push_back({0, 0, 0, 16, 24, 1.1f});
    for (int i = 0; i < 7; ++i) {
      float a = 2 * kPi * (i + rng.range(-0.3f, 0.3f)) / 7;
      puffs_.push_back(
          {std::cos(a), std::sin(a), rng.range(10, 20), rng.range(11, 15), rng.range(16, 26), rng.range(0.92f, 1.05f)});
    }
    for (int i = 0; i < 12; ++i) {
      float a = 2 * kPi * (i + 0.5f + rng.range(-0.35f, 0.35f)) / 12;
      puffs_.push_back(
          {std::cos(a), std::sin(a), rng.range(24, 38), rng.range(7, 11), rng.range(9, 20), rng.range(0.78f, 0.95f)});
    }
    for (int i = 0; i < 64; ++i) {
      float a = rng.range(0, 2 * kPi);
      float maxDist = rng.range(35, 92);
      float drag = rng.range(0.82f, 0.9f);
      sparks_.push_back({std::cos(a), std::sin(a), maxDist * (1 - drag), drag, rng.range(6, 16), rng.range(0.9f, 1.7f),
                         rng.range(1, 2.5f)});
    }
    for (int i = 0; i < 28; ++i) {  // embers: slow, long-lived
      float a = rng.range(0, 2 * kPi);
      float maxDist = rng.range(22, 72);
      float drag = rng.range(0.78f, 0.86f);
      embers_.push_back({std::cos(a), std::sin(a), maxDist * (1 - drag), drag, rng.range(14, 24), rng.range(0.6f, 1.1f),
                         rng.range(3, 7)});
    }
    for (int i = 0; i < 11; ++i) {
      float a = rng.range(0, 2 * kPi);
      float maxDist = rng.range(40, 85);
      float drag = rng.range(0.86f, 0.92f);
      debris_.push_back({std::cos(a), std::sin(a), maxDist * (1 - drag), drag, rng.range(1.1f, 2.2f)});
    }
    for (int i = 0; i < 7; ++i) rayAngle_.push_back(rng.range(0, 2 * kPi));
  }

  Image frame(int n) const {
    Image img(kW, kH);
    halo(img, n);
    debris(img, n);
    fireball(img, n);
    sparks(img, n, sparks_, false);
    sparks(img, n, embers_, true);
    ring(img, n);
    flash(img, n);
    // Nothing may reach the edges of the picture.
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        float e = std::min(std::min(x + 0.5f, kW - x - 0.5f), std::min(y + 0.5f, kH - y - 0.5f));
        float k = smoothstep(0, 9, e);
        Pixel& p = img.at(x, y);
        p.r *= k;
        p.g *= k;
        p.b *= k;
        p.a *= k;
      }
    return img;
  }

 private:
  static float heatAt(int n) { return n <= 2 ? 1.0f : std::exp(-(n - 2) / 7.0f); }
  // Overall opacity of the cloud: full while it burns, then thinning away to almost nothing.
  static float fadeAt(int n) {
    if (n <= 11) return 1.0f;
    float u = (n - 11) / 15.0f;
    return std::pow(1 - u, 1.7f) * 0.97f + 0.03f * (1 - u);
  }

  void halo(Image& img, int n) const {
    if (n > 10) return;
    float radius = 34 + 6 * n;
    float strength = 0.42f * std::pow(1 - (n - 1) / 10.0f, 1.4f);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        float d = std::hypot(x + 0.5f - kCx, y + 0.5f - kCy) / radius;
        img.blend(x, y, {1.0f, 0.5f, 0.12f}, strength * std::exp(-d * d * 1.6f));
      }
  }

  // The cloud is a heap of spherical puffs. Where they overlap the thickest puff wins, which
  // leaves creases between the lobes; the surface is then lit like a billowing volume and
  // coloured by temperature, hot in the thick hearts of the lobes and cooler at their rims.
  void fireball(Image& img, int n) const {
    if (n < 2) return;
    float age = n - 1.0f;
    std::vector<float> thick(kW * kH, 0), heat(kW * kH, 0), turb(kW * kH, 0);
    struct Placed {
      float x, y, r, heat;
    };
    std::vector<Placed> placed;
    for (const Puff& p : puffs_) {
      // Fast burst outwards, then the smoke keeps spreading slowly.
      float d = p.dist * (1 - std::exp(-age / 3.5f)) + 0.55f * age * (p.dist > 0 ? 1 : 0);
      float r = p.r0 * std::min(1.0f, 0.5f + 0.25f * age) + p.grow * (1 - std::exp(-age / 8.0f));
      placed.push_back({kCx + p.ux * d, kCy + p.uy * d, r, p.heat});
    }
    float t = age * 0.12f;
    float warpAmp = 6.0f + 0.5f * age;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        float px = x + 0.5f, py = y + 0.5f;
        float dx0 = px - kCx, dy0 = py - kCy;
        if (dx0 * dx0 + dy0 * dy0 > 100.0f * 100.0f) continue;
        // Warp the lookup so the puffs billow instead of staying round.
        float wx = noise_.fbm(px * 0.028f, py * 0.028f, t, 3) * warpAmp;
        float wy = noise_.fbm(px * 0.028f + 40, py * 0.028f + 40, t, 3) * warpAmp;
        float best = 0, sum = 0, hs = 0;
        for (const Placed& p : placed) {
          float dx = (px + wx - p.x) / p.r, dy = (py + wy - p.y) / p.r;
          float d2 = dx * dx + dy * dy;
          if (d2 >= 1) continue;
          float th = std::sqrt(1 - d2);  // sphere thickness, 1 at the puff's centre
          sum += th;
          if (th > best) {
            best = th;
            hs = p.heat;
          }
        }
        if (sum <= 0) continue;
        float nz = wisp_.fbm(px * 0.055f, py * 0.055f, t * 1.4f, 4);
        size_t i = static_cast<size_t>(y) * kW + x;
        thick[i] = std::min(1.3f, 0.75f * best + 0.2f * sum) + 0.22f * nz;
        heat[i] = hs;
        turb[i] = nz;
      }

    const float hn = heatAt(n), fade = fadeAt(n);
    // Late in the animation the smoke thins from its rims inwards and breaks into wisps.
    const float erode = 0.75f * smoothstep(8, 27, static_cast<float>(n));
    const Vec3 light = normalize({-0.6f, -0.65f, 0.5f});
    for (int y = 1; y < kH - 1; ++y)
      for (int x = 1; x < kW - 1; ++x) {
        size_t i = static_cast<size_t>(y) * kW + x;
        float th = thick[i];
        if (th <= 0) continue;
        float cover = smoothstep(erode, erode + 0.22f, th);
        if (cover <= 0) continue;
        float gx = (thick[i + 1] - thick[i - 1]) * 0.5f, gy = (thick[i + kW] - thick[i - kW]) * 0.5f;
        Vec3 nrm = normalize({-gx * 9, -gy * 9, 1});
        float lit = clamp01(dot(nrm, light));
        float T = hn * heat[i] * (0.25f + 0.85f * th) + 0.22f * hn * turb[i];
        Vec3 c = heatColour(T);
        // Fire glows from within (creases darker); smoke is lit from outside.
        float smokeness = 1 - smoothstep(0.14f, 0.42f, T);
        float fireShade = 0.7f + 0.45f * std::sqrt(clamp01(th));
        float smokeShade = 0.45f + 1.0f * lit;
        c = c * lerp(fireShade, smokeShade, smokeness);
        // Smoke is thinner than flame, and thinnest where the cloud itself is thin.
        float a = cover * lerp(1.0f, 0.55f + 0.3f * clamp01(th), smokeness) * fade;
        img.blend(x, y, {std::min(c.x, 1.0f), std::min(c.y, 1.0f), std::min(c.z, 1.0f)}, a);
      }
  }

  static float travel(float v0, float drag, float age) {
    return age <= 0 ? 0 : v0 * (1 - std::pow(drag, age)) / (1 - drag);
  }

  void sparks(Image& img, int n, const std::vector<Spark>& list, bool embers) const {
    for (size_t k = 0; k < list.size(); ++k) {
      const Spark& s = list[k];
      float age = n - s.start;
      if (age <= 0 || age > s.life) continue;
      float u = age / s.life;
      float d1 = travel(s.v0, s.drag, age), d0 = travel(s.v0, s.drag, age - 0.9f);
      Vec3 hot = heatColour(1.0f - 0.55f * u), cool = heatColour(0.85f - 0.6f * u);
      float a = 1 - u * u;
      if (embers) {
        // Embers flicker as they drift.
        uint32_t hsh = static_cast<uint32_t>(k * 2654435761u + n * 40503u);
        a *= 0.55f + 0.45f * ((hsh >> 7) & 255) / 255.0f;
        img.dot(kCx + s.ux * d1, kCy + s.uy * d1, s.width, hot, a, 0.9f);
      } else {
        img.streak(kCx + s.ux * d1, kCy + s.uy * d1, kCx + s.ux * d0, kCy + s.uy * d0, s.width, hot, cool, a,
                   a * 0.25f);
      }
    }
  }

  void debris(Image& img, int n) const {
    if (n < 2) return;
    float age = n - 1.5f;
    for (const Debris& d : debris_) {
      float dist = travel(d.v0, d.drag, age);
      float x = kCx + d.ux * dist, y = kCy + d.uy * dist;
      float a = 1 - smoothstep(18, 26, static_cast<float>(n));
      img.dot(x, y, d.size, {0.11f, 0.10f, 0.10f}, a, 0.9f);
      float hot = 1 - smoothstep(4, 16, static_cast<float>(n));
      img.dot(x - 0.3f, y - 0.3f, d.size * 0.55f, heatColour(0.55f + 0.3f * hot), a * (0.35f + 0.65f * hot), 0.8f);
    }
  }

  void ring(Image& img, int n) const {
    if (n < 2 || n > 6) return;
    float u = (n - 2) / 4.5f;
    float radius = 26 + 56 * (1 - (1 - u) * (1 - u));
    float width = 2.0f + 3.0f * u;
    float strength = 0.5f * std::pow(1 - u, 1.5f);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        float dx = x + 0.5f - kCx, dy = y + 0.5f - kCy;
        float wobble = 1 + 0.05f * noise_.at(std::atan2(dy, dx) * 2.5f, 9.5f);
        float e = (std::hypot(dx, dy) - radius * wobble) / width;
        float a = strength * std::exp(-e * e);
        if (a > 0.003f) img.blend(x, y, {1.0f, 0.7f, 0.3f}, a);
      }
  }

  void flash(Image& img, int n) const {
    if (n > 4) return;
    const float core[] = {0, 16, 22, 17, 9};
    const float glowR[] = {0, 40, 56, 50, 36};
    const float power[] = {0, 1.0f, 0.95f, 0.6f, 0.25f};
    float pw = power[n];
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        float d = std::hypot(x + 0.5f - kCx, y + 0.5f - kCy);
        float g = std::exp(-(d / glowR[n]) * (d / glowR[n]) * 2.2f) * 0.8f;
        img.blend(x, y, {1.0f, 0.85f, 0.55f}, g * pw);
        float c = 1 - smoothstep(core[n] * 0.55f, core[n], d);
        img.blend(x, y, {1.0f, 1.0f, 0.96f}, c * pw);
      }
    // Starburst rays on the first frames.
    if (n <= 3)
      for (size_t k = 0; k < rayAngle_.size(); ++k) {
        float len = (k % 2 ? 48.0f : 74.0f) * (n == 1 ? 0.75f : 1.0f);
        float a = rayAngle_[k];
        img.streak(kCx, kCy, kCx + std::cos(a) * len, kCy + std::sin(a) * len, 2.2f, {1, 1, 0.95f}, {1.0f, 0.7f, 0.3f},
                   0.85f * pw, 0.0f);
      }
  }

  Noise noise_, wisp_;
  std::vector<Puff> puffs_;
  std::vector<Spark> sparks_, embers_;
  std::vector<Debris> debris_;
  std::vector<float> rayAngle_;
};

}  // namespace

void makeExplosion() {
  Blast blast;
  for (int n = 1; n <= kFrames; ++n) {
    char path[64];
    std::snprintf(path, sizeof path, "Images/shipExplosion/EXPL%d.png", n);
    blast.frame(n).save(path);
  }
}

}  // namespace artgen
