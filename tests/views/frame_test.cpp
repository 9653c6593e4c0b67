// Frame composition, read back from the screen: views drawn in id order over black, only when
// visible and on screen by their own rules, pictures stretched to their drawn size, and the
// batched drawing pixel for pixel the same as the plain one. Pictures as textures: padded to
// powers of two with the picture in the corner (full-screen ones at their own size, mostly
// see-through ones only their visible part), alpha copied rather than blended.
#include <GL/gl.h>
#include <SDL.h>

#include <string>
#include <tuple>
#include <vector>

#include "render/draw.h"
#include "render/image.h"
#include "support/harness.h"
#include "views/frame.h"

using harness::FramePixel;

namespace {

// Writes a w x h RGBA BMP with a known alpha gradient; the loader reads BMP as well as PNG.
// With a visible rectangle given, every pixel outside it is zero.
std::string WritePicture(int w, int h, SDL_Rect visible = {0, 0, 0xFFFF, 0xFFFF}) {
  const std::string name = "pic" + std::to_string(w) + "x" + std::to_string(h) + ".bmp";
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
  auto* px = static_cast<Uint32*>(s->pixels);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool inside = x >= visible.x && x - visible.x < visible.w && y >= visible.y && y - visible.y < visible.h;
      px[y * (s->pitch / 4) + x] = inside ? (static_cast<Uint32>((x * 7 + y) & 0xFF) << 24) | 0x00336699u : 0;
    }
  }
  SDL_SaveBMP(s, name.c_str());
  SDL_FreeSurface(s);
  return name;
}

}  // namespace

class FrameTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    harness::Boot();
    harness::CaptureFrames(true);
    // Start from an empty table so only the views of each case are drawn.
    for (int i = 0; i < GameState.ViewTable.count; ++i) GameState.ViewTable.entries[i]->visible = 0;
  }
  // The loading bar picture, an opaque strip, stretched to a 40 x 40 block with a 40 x 40 box.
  ViewId Block(int x, int y) {
    const ViewId id = ViewAdd("Images/pb.png", x, y);
    ViewSetImageSize(id, 40, 40);
    ViewAt(id)->width = ViewAt(id)->height = 40;
    return id;
  }
  static bool Lit(int x, int y) { return FramePixel(x, y) != 0; }
};

TEST_F(FrameTest, ViewsAreDrawnInIdOrderOverBlackWhenVisibleAndOnScreen) {
  DrawViews();
  for (int y = 0; y < kScreenHeight; y += 37) {
    for (int x = 0; x < kScreenWidth; x += 41) ASSERT_FALSE(Lit(x, y)) << x << "," << y;
  }
  const ViewId a = Block(200, 200);
  // Off the left edge nothing is drawn, past the right edge it is clipped; above, a view counts
  // by its own 40-high box, whatever its picture's height.
  const ViewId left = Block(-1, 100), top = Block(100, -40);
  Block(1000, 300);
  ViewSetImageSize(top, 40, 45);
  ViewSetImageSize(ViewAdd("Images/pb.png", 364, 752), 1, 8);  // squeezed, not cut
  DrawViews();
  for (int y = 752; y < 760; ++y) EXPECT_TRUE(Lit(364, y)) << y;
  EXPECT_FALSE(Lit(365, 755) || Lit(364, 760));
  const uint32_t colour = FramePixel(210, 210);
  EXPECT_NE(colour, 0u);
  EXPECT_FALSE(Lit(10, 120)) << "a view starting at x -1 is not drawn at all";
  EXPECT_TRUE(Lit(1010, 320)) << "a view running past the right edge is drawn";
  EXPECT_TRUE(Lit(110, 2)) << "at y -40 a 40-high view is drawn";
  ViewSetxy(left, 0, 100);
  ViewSetxy(top, 100, -41);
  ViewSetVisible(a, 2);
  DrawViews();
  EXPECT_TRUE(Lit(10, 120));
  EXPECT_FALSE(Lit(110, 2)) << "at y -41 it is not";
  EXPECT_FALSE(Lit(210, 210)) << "only visibility 1 is drawn";
  // Later views lie on top.
  ViewSetVisible(a, 1);
  ViewAdd("Images/loadingBG.png", 0, 0);  // opaque, and unlike the bar
  Block(500, 500);
  DrawViews();
  EXPECT_EQ(FramePixel(510, 510), colour);
  EXPECT_NE(FramePixel(210, 210), colour) << "the background created later covers the first block";
}

TEST_F(FrameTest, BatchingAndTheCoveredClearChangeNoPixel) {
  harness::FinishLoading();
  harness::Frames(2);
  auto compare = [](const char* what) {
    SetDrawShortcuts(false, false);
    DrawViews();
    const std::vector<uint8_t> plain = harness::lastFrame();
    SetDrawShortcuts(true, true);
    DrawViews();
    EXPECT_TRUE(plain == harness::lastFrame()) << what << ": the frames differ";
  };
  compare("main menu");
  harness::Tap(harness::kFreePlay, 6);
  for (int frame = 0; frame < 400; ++frame) {
    GameState.Structure = 1000;
    driver::PushScriptedPlay(frame);
    harness::Frame();
  }
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  compare("busy round");
}

// The last case is a full-screen picture visible only in 300 x 21 at (100, 50): its texture holds
// just that part, at its own size.
TEST_F(FrameTest, TexturesArePaddedToPowersOfTwoAndKeepThePicturesAlphaOrOnlyTheirVisiblePart) {
  for (auto [w, h, texW, texH, visible] : {std::tuple{100, 37, 128, 64, SDL_Rect{0, 0, 0xFFFF, 0xFFFF}},
                                           {64, 64, 64, 64, {0, 0, 0xFFFF, 0xFFFF}},
                                           {1, 1, 1, 1, {0, 0, 0xFFFF, 0xFFFF}},
                                           {5, 3, 8, 4, {0, 0, 0xFFFF, 0xFFFF}},
                                           {1024, 768, 1024, 768, {0, 0, 0xFFFF, 0xFFFF}},
                                           {1024, 768, 300, 21, {100, 50, 300, 21}}}) {
    Image* image = ImageFromFile(WritePicture(w, h, visible).c_str());
    const int keptX = visible.x, keptY = visible.y, kept = texW * texH;
    EXPECT_TRUE(image->texture != 0 && image->width == w && image->height == h);
    if (visible.x != 0) {
      EXPECT_TRUE(image->keptX == 100 && image->keptY == 50 && image->keptWidth == 300 && image->keptHeight == 21);
    }
    EXPECT_FLOAT_EQ(image->uMax, visible.x != 0 ? 1.0f : float(w) / texW);
    EXPECT_FLOAT_EQ(image->vMax, visible.x != 0 ? 1.0f : float(h) / texH);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_TRUE(width == texW && height == texH) << w << "x" << h;
    std::vector<uint8_t> texels(kept * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    for (int y = 0; y < texH; ++y) {
      for (int x = 0; x < texW; ++x) {
        const uint8_t* t = &texels[(y * texW + x) * 4];
        if (x < w && y < h) {  // copied, not blended: alpha and colour as in the file
          const int alpha = ((x + keptX) * 7 + y + keptY) & 0xFF;
          ASSERT_TRUE(t[3] == alpha && t[0] == 0x99 && t[2] == 0x33) << w << "x" << h << " at " << x << "," << y;
        } else {
          ASSERT_EQ(t[3], 0) << "padding is transparent, at " << x << "," << y;
        }
      }
    }
    delete image;
  }
}
