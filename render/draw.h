// Drawing pictures and filled rectangles with GL, batched by texture, and presenting frames.
#pragma once

#include <cstdint>

class Image;

// Starts a frame: GL state is looked at afresh, and the screen is cleared to black unless an
// opaque full-screen picture will cover it (see SetDrawShortcuts).
void BeginFrame(bool coveredByOpaquePicture);
// Ends a frame: sends what is waiting, restores the fixed GL set-up and presents.
void EndFrame();
// An opaque rectangle; x, y is the top-left corner in screen pixels, colour is 0xRRGGBB.
void DrawFilledRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t colour);
// Draws a picture with its top-left corner at screen (x, y), at the image's own drawn size.
// Consecutive pictures of one texture are handed to GL together; PresentFrame (or any other kind
// of drawing) sends what is waiting.
void DrawImage(const Image& image, int32_t x, int32_t y);
// For checks and measurements: batching of consecutive pictures, and leaving out the black clear
// when an opaque full-screen picture is drawn first (both on by default; neither changes a pixel).
void SetDrawShortcuts(bool batch, bool skipClear);
// Flushes GL and swaps the buffers.
void PresentFrame();
// Converts a screen y (top-left origin) into a GL y (bottom-left origin).
int32_t FlipY(int32_t y);
