// The accelerometer's calibration panel over the options screen: its dots show the tilt, its
// markers the stored neutral position, and its OK stores, saves and applies the tilt held.
#include <string>

#include "input/events.h"
#include "platform/platform.h"
#include "support/harness.h"

using namespace harness;

namespace {

constexpr int kControl[2] = {500, 545}, kCalibrationOk[2] = {141, 498};

// The tilt as the tablet reports it: SDL axis 1 is horizontal, axis 0 vertical and inverted.
void Tilt(int16_t x, int16_t y) {
  PushJoyAxis(1, x);
  PushJoyAxis(0, y);
  Frame();
}

// Where the panel's two dots (the tilt) and two markers (the stored calibration) are.
std::string Panel() {
  std::string at = "dots";
  for (ViewId view : {GameState.Calibration.xDot, GameState.Calibration.yDot, 0, GameState.Calibration.xMarker,
                      GameState.Calibration.yMarker}) {
    at += view == 0 ? " markers" : " " + std::to_string(ViewGetX(view)) + "," + std::to_string(ViewGetY(view));
  }
  return at;
}

}  // namespace

class CalibrationTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    PlatformPresentGamepadAsTilt(false);  // joystick events as the tablet's accelerometer sent them
  }
};

TEST_F(CalibrationTest, OtherMethodsKeepItUnappliedAndThePanelShowsTheTiltAndItsOkStoresSavesAndAppliesIt) {
  WriteFile(kCalibration, Record("500;-300;"));
  // The right hand keeps the calibration stored but unapplied; choosing the accelerometer shows it
  // on the panel and applies it on leaving the options.
  ASSERT_TRUE(FirstSession([] {
    ReachMenu();
    EXPECT_EQ(GameState.calibrationX, 500);
    Tap(kOptionsButton, 3);
    Tap(kMenuBack, 2);
    EXPECT_EQ(GameState.CalibrationOffsetX, 0.0) << "not applied with the right hand";
    Tap(kOptionsButton, 3);
    Tap(kControl);
    ASSERT_EQ(GameState.controlMethod, ControlAccelerometer);
    EXPECT_EQ(Panel(), "dots 143,413 267,484 markers 159,406 260,478");
    Tap(kMenuBack, 2);
    EXPECT_TRUE(GameState.CalibrationOffsetX == 500.0 && GameState.CalibrationOffsetY == -300.0);
  }));
  ReachMenu();
  EXPECT_EQ(GameState.CalibrationOffsetX, 500.0) << "the accelerometer method applies it at start-up";
  EXPECT_EQ(GameState.CalibrationOffsetY, -300.0);
  Tap(kOptionsButton, 3);
  for (ViewId shown : {GameState.Calibration.calibrationBackground, GameState.Calibration.calibrationOkButton,
                       GameState.Calibration.xDot, GameState.Calibration.yDot, GameState.Calibration.xMarker,
                       GameState.Calibration.yMarker}) {
    EXPECT_TRUE(Shown(shown));
  }
  EXPECT_EQ(Panel(), "dots 143,413 267,484 markers 159,406 260,478");
  // Held flat, OK stores 0: pressed it lights, lifted it stores and moves the markers.
  PushMouseDown(kCalibrationOk[0], kCalibrationOk[1]);
  Frame();
  EXPECT_TRUE(Shown(GameState.Calibration.calibrationOkOver));
  PushMouseUp(kCalibrationOk[0], kCalibrationOk[1]);
  Frame();
  EXPECT_FALSE(Shown(GameState.Calibration.calibrationOkOver));
  EXPECT_EQ(ReadFile(kCalibration), Record("0;0;"));
  EXPECT_EQ(Panel(), "dots 143,413 267,484 markers 146,406 260,487");
  // The dots follow the tilt; the accelerometer's full scale of 1200 stops short of the far ends,
  // which a steering value past 1900 reaches and no further.
  Tilt(-32768, 32767);
  EXPECT_EQ(Panel(), "dots 91,413 267,432 markers 146,406 260,487");
  GameState.SteerX = GameState.SteerY = 2500.0;
  Frame();
  EXPECT_EQ(Panel(), "dots 195,413 267,536 markers 146,406 260,487");
  Tilt(32767, -32768);
  EXPECT_EQ(Panel(), "dots 175,413 267,516 markers 146,406 260,487");
  PushTap(kCalibrationOk[0], kCalibrationOk[1]);
  PumpEvents();
  EXPECT_EQ(ReadFile(kCalibration), Record("1169;1169;"));
  EXPECT_EQ(GameState.CalibrationOffsetX, 1169.0);
  EXPECT_EQ(Panel(), "dots 175,413 267,516 markers 178,406 260,519");
  // The options screen shows raw readings: the offsets are cleared on every frame of it.
  Frame();
  EXPECT_EQ(GameState.CalibrationOffsetX, 0.0);
  EXPECT_EQ(GameState.CalibrationOffsetY, 0.0);
  EXPECT_EQ(Panel(), "dots 175,413 267,516 markers 177,406 260,518");
  // Leaving applies the calibration to the tilt.
  Tap(kMenuBack, 2);
  EXPECT_FALSE(Shown(GameState.Calibration.calibrationBackground) || Shown(GameState.Calibration.xDot));
  Tilt(16000, 0);
  EXPECT_EQ(GameState.SteerX, 1200.0 - 1169.0);
  EXPECT_EQ(GameState.CalibrationOffsetY, 1169.0);
}
