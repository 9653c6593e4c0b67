#include "render/draw.h"

#include <GL/gl.h>
#include <SDL.h>

#include "app/game_state.h"
#include "render/image.h"
#include "render/text.h"
#include "views/views.h"

int32_t FlipY(int32_t y) { return kScreenHeight - y; }

void DrawFilledRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t colour) {
  const int32_t red = (colour & 0xFF0000) >> 16;
  const int32_t green = (colour & 0xFF00) >> 8;
  const int32_t blue = colour & 0xFF;
  glColor4f(red / 255.0f, green / 255.0f, blue / 255.0f, 255.0f);
  glBindTexture(GL_TEXTURE_2D, 0);
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
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, image.texture);
  glVertexPointer(3, GL_FLOAT, 0, vertices);
  glTexCoordPointer(2, GL_FLOAT, 0, texCoords);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void PresentFrame() {
  glFlush();
  glFinish();
  SDL_GL_SwapBuffers();
}

void DrawViews() {
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

  PresentFrame();
}
