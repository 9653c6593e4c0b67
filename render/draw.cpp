#include "render/draw.h"

#include <GL/gl.h>
#include <SDL.h>

#include "app/game_state.h"
#include "render/image.h"
#include "render/text.h"
#include "views/views.h"

namespace {

// What the last draw left set in GL. A draw issues only the changes it needs; the cache is
// forgotten at the start of every frame (pictures are loaded between frames and bind textures).
struct DrawState {
  bool known = false;
  bool blending = true;
  bool texCoords = false;
  GLuint texture = 0;
  bool white = false;  // the current colour is opaque white
  bool alphaBlendFunc = false;
};

DrawState state;

void ForgetDrawState() { state.known = false; }

void UseBlending(bool on) {
  if (state.known && state.blending == on) return;
  if (on) {
    glEnable(GL_BLEND);
  } else {
    glDisable(GL_BLEND);
  }
  state.blending = on;
}

void UseTexCoords(bool on) {
  if (state.known && state.texCoords == on) return;
  if (on) {
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  } else {
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  state.texCoords = on;
}

void UseTexture(GLuint texture) {
  if (state.known && state.texture == texture) return;
  glBindTexture(GL_TEXTURE_2D, texture);
  state.texture = texture;
}

void BeginStateTracking() {
  if (state.known) return;
  // Establish a known state once; from here on only changes are issued.
  glEnable(GL_BLEND);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glBindTexture(GL_TEXTURE_2D, 0);
  state = DrawState{true, true, false, 0, false, false};
}

}  // namespace

int32_t FlipY(int32_t y) { return kScreenHeight - y; }

void DrawFilledRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t colour) {
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
      static_cast<GLfloat>(x + width), top,          0.0f,
      static_cast<GLfloat>(x),         top,          0.0f,
      static_cast<GLfloat>(x + width), top - height, 0.0f,
      static_cast<GLfloat>(x),         top - height, 0.0f,
  };
  glVertexPointer(3, GL_FLOAT, 0, vertices);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

void DrawImage(const Image& image, int32_t x, int32_t y) {
  BeginStateTracking();
  const GLfloat left = static_cast<GLfloat>(x);
  const GLfloat bottom = static_cast<GLfloat>(FlipY(y + image.height));
  const GLfloat right = left + image.width;
  const GLfloat top = bottom + image.height;
  const GLfloat vertices[] = {
      left, bottom, 0.0f, right, bottom, 0.0f, left, top, 0.0f, right, top, 0.0f,
  };
  // The bottom of the quad takes the bottom of the picture; row 0 of the file is at the top.
  const GLfloat texCoords[] = {
      0.0f, image.vMax, image.uMax, image.vMax, 0.0f, 0.0f, image.uMax, 0.0f,
  };
  // Pictures blend over what is below by their own alpha; a fully opaque one simply covers it.
  if (!state.alphaBlendFunc) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    state.alphaBlendFunc = true;
  }
  UseBlending(!image.opaque);
  UseTexCoords(true);
  if (!state.white) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    state.white = true;
  }
  UseTexture(image.texture);
  glVertexPointer(3, GL_FLOAT, 0, vertices);
  glTexCoordPointer(2, GL_FLOAT, 0, texCoords);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

void PresentFrame() {
  glFlush();
  glFinish();
  SDL_GL_SwapBuffers();
}

void DrawViews() {
  ForgetDrawState();
  DrawFilledRect(0, 0, kScreenWidth, kScreenHeight, 0x000000);

  // Views whose left edge is off the left side, or that lie wholly above or below the screen,
  // are skipped before any GL call; the width is not tested.
  const ViewTableRecord& views = GameState.ViewTable;
  for (int32_t id = 0; id < views.count; ++id) {
    const View* view = views.views[id];
    if (view->visible != 1) continue;
    if (view->x < 0 || view->x > kScreenWidth) continue;
    if (view->y < -view->height || view->y > kScreenHeight + 2) continue;
    DrawImage(*view->image, view->x, view->y);
  }

  const TextTableRecord& texts = GameState.TextTable;
  for (int32_t id = 0; id < texts.count; ++id) {
    const TextView* text = texts.texts[id];
    if (text->visible != 1) continue;
    const Font* font = FontById(text->font);
    if (font != nullptr) TextDraw(*font, text->x, text->y, text->text);
  }

  // Leave GL as the fixed set-up has it: blending on, no texture-coordinate array.
  UseBlending(true);
  UseTexCoords(false);
  PresentFrame();
}
