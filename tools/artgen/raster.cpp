#include "raster.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

namespace artgen {

uint64_t Rng::next() {
  // splitmix64
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

float Rng::uniform() { return static_cast<float>(next() >> 40) / static_cast<float>(1ull << 24); }

Vec3 hex(uint32_t rgb) { return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f}; }

// ---------------------------------------------------------------------------------------------
// Noise

Noise::Noise(uint64_t seed) {
  Rng rng(seed);
  for (int i = 0; i < 256; ++i) perm_[i] = static_cast<uint8_t>(i);
  for (int i = 255; i > 0; --i) std::swap(perm_[i], perm_[rng.below(i + 1)]);
  for (int i = 0; i < 256; ++i) perm_[256 + i] = perm_[i];
}

namespace {

inline float fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

inline float grad2(int h, float x, float y) {
  switch (h & 7) {
    case 0: return x + y;
    case 1: return -x + y;
    case 2: return x - y;
    case 3: return -x - y;
    case 4: return x * 1.4142f;
    case 5: return -x * 1.4142f;
    case 6: return y * 1.4142f;
    default: return -y * 1.4142f;
  }
}

inline float grad3(int h, float x, float y, float z) {
  int g = h & 15;
  float u = g < 8 ? x : y;
  float v = g < 4 ? y : (g == 12 || g == 14 ? x : z);
  return ((g & 1) ? -u : u) + ((g & 2) ? -v : v);
}

inline int floorInt(float v) {
  int i = static_cast<int>(v);
  return v < static_cast<float>(i) ? i - 1 : i;
}

}  // namespace

float Noise::at(float x, float y) const {
  int xi = floorInt(x), yi = floorInt(y);
  float xf = x - xi, yf = y - yi;
  int X = xi & 255, Y = yi & 255;
  float u = fade(xf), v = fade(yf);
  int aa = perm_[perm_[X] + Y], ab = perm_[perm_[X] + Y + 1];
  int ba = perm_[perm_[X + 1] + Y], bb = perm_[perm_[X + 1] + Y + 1];
  float x1 = lerp(grad2(aa, xf, yf), grad2(ba, xf - 1, yf), u);
  float x2 = lerp(grad2(ab, xf, yf - 1), grad2(bb, xf - 1, yf - 1), u);
  return lerp(x1, x2, v) * 0.7071f;
}

float Noise::at(float x, float y, float z) const {
  int xi = floorInt(x), yi = floorInt(y), zi = floorInt(z);
  float xf = x - xi, yf = y - yi, zf = z - zi;
  int X = xi & 255, Y = yi & 255, Z = zi & 255;
  float u = fade(xf), v = fade(yf), w = fade(zf);
  int A = perm_[X] + Y, AA = perm_[A] + Z, AB = perm_[A + 1] + Z;
  int B = perm_[X + 1] + Y, BA = perm_[B] + Z, BB = perm_[B + 1] + Z;
  float r =
      lerp(lerp(lerp(grad3(perm_[AA], xf, yf, zf), grad3(perm_[BA], xf - 1, yf, zf), u),
                lerp(grad3(perm_[AB], xf, yf - 1, zf), grad3(perm_[BB], xf - 1, yf - 1, zf), u), v),
           lerp(lerp(grad3(perm_[AA + 1], xf, yf, zf - 1), grad3(perm_[BA + 1], xf - 1, yf, zf - 1), u),
                lerp(grad3(perm_[AB + 1], xf, yf - 1, zf - 1), grad3(perm_[BB + 1], xf - 1, yf - 1, zf - 1), u), v),
           w);
  return r;
}

float Noise::fbm(float x, float y, int octaves, float lacunarity, float gain) const {
  float sum = 0, amp = 1, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * at(x, y);
    norm += amp;
    amp *= gain;
    // Rotate each octave a little so the lattice never lines up.
    float nx = (x * 0.8f - y * 0.6f) * lacunarity + 17.3f;
    float ny = (x * 0.6f + y * 0.8f) * lacunarity + 5.1f;
    x = nx;
    y = ny;
  }
  return sum / norm * 1.6f;
}

float Noise::fbm(float x, float y, float z, int octaves, float lacunarity, float gain) const {
  float sum = 0, amp = 1, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * at(x, y, z);
    norm += amp;
    amp *= gain;
    float nx = (x * 0.8f - y * 0.6f) * lacunarity + 17.3f;
    float ny = (x * 0.6f + y * 0.8f) * lacunarity + 5.1f;
    x = nx;
    y = ny;
    z = z * lacunarity + 3.7f;
  }
  return sum / norm * 1.6f;
}

float Noise::ridged(float x, float y, int octaves) const {
  float sum = 0, amp = 1, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    float n = 1.0f - std::fabs(at(x, y) * 1.4f);
    sum += amp * n * n;
    norm += amp;
    amp *= 0.5f;
    float nx = (x * 0.8f - y * 0.6f) * 2.0f + 11.7f;
    float ny = (x * 0.6f + y * 0.8f) * 2.0f + 3.3f;
    x = nx;
    y = ny;
  }
  return sum / norm;
}

// ---------------------------------------------------------------------------------------------
// Image

void Image::blend(int x, int y, Vec3 c, float alpha) {
  if (x < 0 || y < 0 || x >= w_ || y >= h_ || alpha <= 0) return;
  alpha = clamp01(alpha);
  Pixel& p = at(x, y);
  float k = 1 - alpha;
  p.r = c.x * alpha + p.r * k;
  p.g = c.y * alpha + p.g * k;
  p.b = c.z * alpha + p.b * k;
  p.a = alpha + p.a * k;
}

void Image::over(const Image& top) {
  for (size_t i = 0; i < px_.size(); ++i) {
    const Pixel& t = top.px_[i];
    Pixel& p = px_[i];
    float k = 1 - t.a;
    p.r = t.r + p.r * k;
    p.g = t.g + p.g * k;
    p.b = t.b + p.b * k;
    p.a = t.a + p.a * k;
  }
}

void Image::dot(float cx, float cy, float radius, Vec3 colour, float alpha, float softness) {
  int x0 = static_cast<int>(std::floor(cx - radius - softness - 1));
  int x1 = static_cast<int>(std::ceil(cx + radius + softness + 1));
  int y0 = static_cast<int>(std::floor(cy - radius - softness - 1));
  int y1 = static_cast<int>(std::ceil(cy + radius + softness + 1));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
      float cover = 1 - smoothstep(radius - softness * 0.5f, radius + softness * 0.5f, d);
      blend(x, y, colour, alpha * cover);
    }
}

void Image::streak(float x0, float y0, float x1, float y1, float width, Vec3 c0, Vec3 c1, float a0, float a1) {
  float r = width * 0.5f;
  int bx0 = static_cast<int>(std::floor(std::min(x0, x1) - r - 2));
  int bx1 = static_cast<int>(std::ceil(std::max(x0, x1) + r + 2));
  int by0 = static_cast<int>(std::floor(std::min(y0, y1) - r - 2));
  int by1 = static_cast<int>(std::ceil(std::max(y0, y1) + r + 2));
  float dx = x1 - x0, dy = y1 - y0;
  float len2 = dx * dx + dy * dy;
  for (int y = by0; y <= by1; ++y)
    for (int x = bx0; x <= bx1; ++x) {
      float px = x + 0.5f - x0, py = y + 0.5f - y0;
      float t = len2 > 0 ? clamp01((px * dx + py * dy) / len2) : 0;
      float d = std::hypot(px - t * dx, py - t * dy);
      float cover = 1 - smoothstep(r - 0.5f, r + 0.7f, d);
      if (cover <= 0) continue;
      blend(x, y, mix(c0, c1, t), cover * lerp(a0, a1, t));
    }
}

Image Image::downsample(int f) const {
  Image out(w_ / f, h_ / f);
  float norm = 1.0f / (f * f);
  for (int y = 0; y < out.h_; ++y)
    for (int x = 0; x < out.w_; ++x) {
      Pixel s;
      for (int j = 0; j < f; ++j)
        for (int i = 0; i < f; ++i) {
          const Pixel& p = at(x * f + i, y * f + j);
          s.r += p.r;
          s.g += p.g;
          s.b += p.b;
          s.a += p.a;
        }
      out.at(x, y) = {s.r * norm, s.g * norm, s.b * norm, s.a * norm};
    }
  return out;
}

namespace {
inline float cubicWeight(float t) {
  // Catmull-Rom
  t = std::fabs(t);
  if (t < 1) return 1.5f * t * t * t - 2.5f * t * t + 1;
  if (t < 2) return -0.5f * t * t * t + 2.5f * t * t - 4 * t + 2;
  return 0;
}
}  // namespace

namespace {
// Catmull-Rom taps for one axis: for each output sample, the first source index and 4 weights.
struct Taps {
  std::vector<int> first;
  std::vector<float> weight;
};
Taps cubicTaps(int from, int to) {
  Taps t;
  float scale = static_cast<float>(from) / to;
  for (int o = 0; o < to; ++o) {
    float f = (o + 0.5f) * scale - 0.5f;
    int i = floorInt(f);
    t.first.push_back(i - 1);
    for (int k = 0; k < 4; ++k) t.weight.push_back(cubicWeight(f - (i - 1 + k)));
  }
  return t;
}
}  // namespace

Image Image::resize(int w, int h) const {
  // Separable: rows first into an intermediate w x h_ image, then columns.
  Taps tx = cubicTaps(w_, w), ty = cubicTaps(h_, h);
  Image mid(w, h_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w; ++x) {
      Pixel s;
      for (int k = 0; k < 4; ++k) {
        const Pixel& p = at(std::clamp(tx.first[x] + k, 0, w_ - 1), y);
        float wgt = tx.weight[x * 4 + k];
        s.r += p.r * wgt;
        s.g += p.g * wgt;
        s.b += p.b * wgt;
        s.a += p.a * wgt;
      }
      mid.at(x, y) = s;
    }
  Image out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Pixel s;
      for (int k = 0; k < 4; ++k) {
        const Pixel& p = mid.at(x, std::clamp(ty.first[y] + k, 0, h_ - 1));
        float wgt = ty.weight[y * 4 + k];
        s.r += p.r * wgt;
        s.g += p.g * wgt;
        s.b += p.b * wgt;
        s.a += p.a * wgt;
      }
      s.a = clamp01(s.a);
      s.r = std::clamp(s.r, 0.0f, s.a);
      s.g = std::clamp(s.g, 0.0f, s.a);
      s.b = std::clamp(s.b, 0.0f, s.a);
      out.at(x, y) = s;
    }
  return out;
}

void Image::save(const std::string& path, bool dither) const {
  // Straight (not premultiplied) RGBA, always with the alpha channel.
  std::vector<unsigned char> rgba(static_cast<size_t>(w_) * h_ * 4);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      const Pixel& p = at(x, y);
      float d = 0.5f;
      if (dither) {
        // A per-pixel hash in [0, 1): breaks the 8-bit bands of smooth gradients.
        uint32_t hsh = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u;
        hsh ^= hsh >> 13;
        hsh *= 0x5bd1e995u;
        hsh ^= hsh >> 15;
        d = (hsh & 0xFFFF) / 65536.0f;
      }
      auto q = [d](float v) {
        int i = static_cast<int>(std::floor(clamp01(v) * 255.0f + d));
        return static_cast<unsigned char>(std::clamp(i, 0, 255));
      };
      unsigned char* o = &rgba[(static_cast<size_t>(y) * w_ + x) * 4];
      float a = clamp01(p.a);
      unsigned char qa = static_cast<unsigned char>(std::lround(a * 255.0f));
      if (qa == 0) {
        o[0] = o[1] = o[2] = o[3] = 0;
        continue;
      }
      o[0] = q(p.r / a);
      o[1] = q(p.g / a);
      o[2] = q(p.b / a);
      o[3] = qa;
    }

  FILE* f = std::fopen(path.c_str(), "wb");
  png_structp png = f ? png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr) : nullptr;
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
    std::exit(1);
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, w_, h_, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 3);  // big noisy backgrounds: speed over the last few percent
  png_write_info(png, info);
  for (int y = 0; y < h_; ++y) png_write_row(png, &rgba[static_cast<size_t>(y) * w_ * 4]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
}

}  // namespace artgen
