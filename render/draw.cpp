#include "render/draw.h"

#include <GL/gl.h>
#include <SDL.h>

#include "core/game_state.h"
#include "platform/platform.h"
#include "render/image.h"

namespace {

// What the last draw left set in GL. Only changes are issued; the record is forgotten at the
// start of every frame (pictures are loaded between frames and bind textures).
struct DrawState {
  bool known = false;
  bool blending = true;
  bool texCoords = false;
  GLuint texture = 0;
  bool white = false;  // the current colour is opaque white
  bool alphaBlendFunc = false;
};

DrawState state;

// Consecutive pictures with the same texture and the same blending go to GL as one list of
// triangles: each quad as the two triangles its strip would make, in the same order, so every
// pixel comes out as if each quad had been drawn on its own. The arrays are fixed: nothing is
// allocated per frame.
constexpr int kBatchQuads = 128;
struct Batch {
  GLfloat vertices[kBatchQuads * 6 * 3];
  GLfloat texCoords[kBatchQuads * 6 * 2];
  int quads = 0;
  GLuint texture = 0;
  bool opaque = false;
};

Batch batch;
bool batching = true;
bool skipCoveredClear = true;

// Turns a piece of GL state on or off, unless it is known to be so already.
void Use(bool& tracked, bool on, void (*enable)(GLenum), void (*disable)(GLenum), GLenum what) {
  if (state.known && tracked == on) return;
  (on ? enable : disable)(what);
  tracked = on;
}

void UseBlending(bool on) { Use(state.blending, on, glEnable, glDisable, GL_BLEND); }
void UseTexCoords(bool on) {
  Use(state.texCoords, on, glEnableClientState, glDisableClientState, GL_TEXTURE_COORD_ARRAY);
}

void UseTexture(GLuint texture) {
  if (state.known && state.texture == texture) return;
  glBindTexture(GL_TEXTURE_2D, texture);
  state.texture = texture;
}

void BeginStateTracking() {
  if (state.known) return;
  glEnable(GL_BLEND);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glBindTexture(GL_TEXTURE_2D, 0);
  state = DrawState{true, true, false, 0, false, false};
}

void FlushBatch() {
  if (batch.quads == 0) return;
  BeginStateTracking();
  // Pictures blend over what is below by their own alpha; a fully opaque one simply covers it.
  if (!state.alphaBlendFunc) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    state.alphaBlendFunc = true;
  }
  UseBlending(!batch.opaque);
  UseTexCoords(true);
  if (!state.white) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    state.white = true;
  }
  UseTexture(batch.texture);
  glVertexPointer(3, GL_FLOAT, 0, batch.vertices);
  glTexCoordPointer(2, GL_FLOAT, 0, batch.texCoords);
  glDrawArrays(batch.quads == 1 ? GL_TRIANGLE_STRIP : GL_TRIANGLES, 0, batch.quads == 1 ? 4 : batch.quads * 6);
  batch.quads = 0;
}

// A strip of four corners (bottom-left, bottom-right, top-left, top-right) as two triangles.
void AppendQuad(const GLfloat corners[4][3], const GLfloat uv[4][2]) {
  static constexpr int kStripTriangles[6] = {0, 1, 2, 2, 1, 3};
  if (batch.quads == 0) {
    // A lone quad stays a strip; it becomes triangles when a second one joins it.
    for (int i = 0; i < 4; ++i) {
      for (int c = 0; c < 3; ++c) batch.vertices[i * 3 + c] = corners[i][c];
      for (int c = 0; c < 2; ++c) batch.texCoords[i * 2 + c] = uv[i][c];
    }
    batch.quads = 1;
    return;
  }
  if (batch.quads == 1) {
    GLfloat firstCorners[4][3], firstUv[4][2];
    for (int i = 0; i < 4; ++i) {
      for (int c = 0; c < 3; ++c) firstCorners[i][c] = batch.vertices[i * 3 + c];
      for (int c = 0; c < 2; ++c) firstUv[i][c] = batch.texCoords[i * 2 + c];
    }
    for (int k = 0; k < 6; ++k) {
      for (int c = 0; c < 3; ++c) batch.vertices[k * 3 + c] = firstCorners[kStripTriangles[k]][c];
      for (int c = 0; c < 2; ++c) batch.texCoords[k * 2 + c] = firstUv[kStripTriangles[k]][c];
    }
  }
  const int base = batch.quads * 6;
  for (int k = 0; k < 6; ++k) {
    for (int c = 0; c < 3; ++c) batch.vertices[(base + k) * 3 + c] = corners[kStripTriangles[k]][c];
    for (int c = 0; c < 2; ++c) batch.texCoords[(base + k) * 2 + c] = uv[kStripTriangles[k]][c];
  }
  batch.quads += 1;
}

// Draws a texture that was just uploaded into the frame's corner pixel, which the frame's clear or
// its full-screen picture then covers. A GL may copy or convert a texture only when something is
// first drawn from it: so that work falls in the frame that loaded the picture (a loading frame),
// not in the first frame that shows it (the first frames of a round).
void WarmTexture(GLuint texture) {
  BeginStateTracking();
  if (!state.alphaBlendFunc) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    state.alphaBlendFunc = true;
  }
  UseBlending(true);
  UseTexCoords(true);
  UseTexture(texture);
  static constexpr GLfloat kCorners[4 * 3] = {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0};
  static constexpr GLfloat kUv[4 * 2] = {0, 0, 1, 0, 0, 1, 1, 1};
  glVertexPointer(3, GL_FLOAT, 0, kCorners);
  glTexCoordPointer(2, GL_FLOAT, 0, kUv);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

}  // namespace

int32_t FlipY(int32_t y) { return kScreenHeight - y; }

void DrawFilledRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t colour) {
  FlushBatch();
  BeginStateTracking();
  const int32_t red = (colour & 0xFF0000) >> 16;
  const int32_t green = (colour & 0xFF00) >> 8;
  const int32_t blue = colour & 0xFF;
  // The alpha of 255 is clamped to 1: the rectangle is opaque, so blending changes nothing.
  glColor4f(red / 255.0f, green / 255.0f, blue / 255.0f, 255.0f);
  state.white = false;
  UseBlending(false);
  UseTexCoords(false);
  UseTexture(0);
  const GLfloat top = static_cast<GLfloat>(FlipY(y));
  const GLfloat vertices[] = {
      static_cast<GLfloat>(x + width), top,          0.0f, static_cast<GLfloat>(x), top,          0.0f,
      static_cast<GLfloat>(x + width), top - height, 0.0f, static_cast<GLfloat>(x), top - height, 0.0f,
  };
  glVertexPointer(3, GL_FLOAT, 0, vertices);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

void DrawImage(const Image& image, int32_t x, int32_t y) {
  // A picture of which only a part is kept draws that part where it sits in the picture.
  const bool part = image.keptWidth != 0;
  const int32_t width = part ? image.keptWidth : image.width, height = part ? image.keptHeight : image.height;
  if (part) {
    x += image.keptX;
    y += image.keptY;
  }
  const GLfloat left = static_cast<GLfloat>(x);
  const GLfloat bottom = static_cast<GLfloat>(FlipY(y + height));
  const GLfloat right = left + width;
  const GLfloat top = bottom + height;
  const GLfloat corners[4][3] = {{left, bottom, 0.0f}, {right, bottom, 0.0f}, {left, top, 0.0f}, {right, top, 0.0f}};
  // The bottom of the quad takes the bottom of the picture; row 0 of the file is at the top.
  const GLfloat uv[4][2] = {
      {image.uMin, image.vMax}, {image.uMax, image.vMax}, {image.uMin, image.vMin}, {image.uMax, image.vMin}};
  if (batch.quads > 0 &&
      (!batching || batch.texture != image.texture || batch.opaque != image.opaque || batch.quads == kBatchQuads)) {
    FlushBatch();
  }
  batch.texture = image.texture;
  batch.opaque = image.opaque;
  AppendQuad(corners, uv);
  if (!batching) FlushBatch();
}

void SetDrawShortcuts(bool batch, bool skipClear) {
  batching = batch;
  skipCoveredClear = skipClear;
}

void PresentFrame() {
  FlushBatch();
  PlatformFinishFrame();
  SDL_GL_SwapBuffers();
}

void BeginFrame(bool coveredByOpaquePicture) {
  PlatformFrameViewport();
  state.known = false;
  TakeFreshTextures(WarmTexture);
  if (!(skipCoveredClear && coveredByOpaquePicture)) DrawFilledRect(0, 0, kScreenWidth, kScreenHeight, 0x000000);
}

void EndFrame() {
  // Leave GL as the fixed set-up has it: blending on, no texture-coordinate array.
  FlushBatch();
  UseBlending(true);
  UseTexCoords(false);
  PresentFrame();
}
