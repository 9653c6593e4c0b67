// Small float raster toolkit for the world pictures: a seeded random source, gradient noise,
// a premultiplied RGBA float image and RGBA PNG output through libpng.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

// Deterministic on every platform (the standard distributions are not, so they are avoided).
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
  uint64_t next();
  float uniform();  // [0, 1)
  float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
  int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }

 private:
  uint64_t state_;
};

struct Vec3 {
  float x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vec3 operator*(Vec3 a, Vec3 b) { return {a.x * b.x, a.y * b.y, a.z * b.z}; }
inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 normalize(Vec3 a) {
  float l = std::sqrt(dot(a, a));
  return l > 0 ? a * (1.0f / l) : a;
}
inline Vec3 mix(Vec3 a, Vec3 b, float t) { return a + (b - a) * t; }
Vec3 hex(uint32_t rgb);  // 0xRRGGBB to linear-ish 0..1 components

inline float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
inline float smoothstep(float e0, float e1, float x) {
  float t = clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}
inline float lerp(float a, float b, float t) { return a + (b - a) * t; }

// Improved gradient noise over a seeded permutation; results roughly in [-1, 1].
class Noise {
 public:
  explicit Noise(uint64_t seed);
  float at(float x, float y) const;
  float at(float x, float y, float z) const;
  // Fractal sums, normalised back to about [-1, 1].
  float fbm(float x, float y, int octaves, float lacunarity = 2.0f, float gain = 0.5f) const;
  float fbm(float x, float y, float z, int octaves, float lacunarity = 2.0f, float gain = 0.5f) const;
  // 1 on the crease lines of the noise, falling off to 0 away from them.
  float ridged(float x, float y, int octaves) const;

 private:
  uint8_t perm_[512];
};

// Premultiplied RGBA, components 0..1.
struct Pixel {
  float r = 0, g = 0, b = 0, a = 0;
};

class Image {
 public:
  Image(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h) {}
  int width() const { return w_; }
  int height() const { return h_; }
  Pixel& at(int x, int y) { return px_[static_cast<size_t>(y) * w_ + x]; }
  const Pixel& at(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }

  // Porter-Duff "over" of a straight colour with the given coverage.
  void blend(int x, int y, Vec3 colour, float alpha);
  void over(const Image& top);  // whole-image "over"

  // Soft round dot and soft capsule (line with round ends), antialiased.
  void dot(float cx, float cy, float radius, Vec3 colour, float alpha, float softness = 1.0f);
  void streak(float x0, float y0, float x1, float y1, float width, Vec3 c0, Vec3 c1, float a0, float a1);

  Image downsample(int factor) const;  // box filter
  Image resize(int w, int h) const;    // Catmull-Rom, for smooth enlargements

  // Writes an RGBA PNG (dithered to 8 bits when dither is set).
  void save(const std::string& path, bool dither = false) const;

 private:
  int w_, h_;
  std::vector<Pixel> px_;
};

// The families; each writes its pictures under Images/ relative to the working directory.
void makeRocks();
void makeExplosion();
void makeSpace();
void makeSprites();

}  // namespace artgen
