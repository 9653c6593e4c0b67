#include "ui/calibration.h"

#include <algorithm>

#include "core/game_state.h"
#include "core/scene.h"
#include "input/steering.h"
#include "storage/user_files.h"
#include "ui/buttons.h"
#include "views/views.h"

namespace {

// A tilt of v steering units sits v / kCalibrationLimit x 52 px from the centre of a 104 px track.
constexpr double kTiltRange = kCalibrationLimit;
constexpr double kHalfTrack = 52.0;
constexpr int32_t kTrackXLeft = 91;  // the X track's dot runs from x 91 to 195 at y 413
constexpr int32_t kTrackYTop = 432;  // the Y track's dot runs from y 432 to 536 at x 267
constexpr int32_t kXCentre = kTrackXLeft + 52;
constexpr int32_t kYCentre = kTrackYTop + 52;
constexpr int32_t kMarkerShift = 3;  // markers sit 3 px further along than a dot

int32_t Clamp(int32_t v) { return std::clamp(v, -kCalibrationLimit, kCalibrationLimit); }

// The panel, its OK button and both tracks' dots and markers.
void SetPanelVisible(int32_t value) {
  const CalibrationPanelRecord& panel = GameState.Calibration;
  ViewsSetVisible(
      {panel.calibrationBackground, panel.xDot, panel.xMarker, panel.calibrationOkButton, panel.yDot, panel.yMarker},
      value);
}

int CalibrationOkTouched(int phase, int, int) {
  if (!ButtonLiftedOutsideBox(phase, GameState.Calibration.calibrationOkOver)) return 0;
  Tap();
  const int32_t dx = ViewGetX(GameState.Calibration.xDot);
  const int32_t dy = ViewGetY(GameState.Calibration.yDot);
  ViewSetxy(GameState.Calibration.xMarker, dx + kMarkerShift, ViewGetY(GameState.Calibration.xMarker));
  ViewSetxy(GameState.Calibration.yMarker, ViewGetX(GameState.Calibration.yMarker), dy + kMarkerShift);
  GameState.calibrationX = static_cast<int32_t>((dx - kXCentre) / kHalfTrack * kTiltRange);
  GameState.calibrationY = static_cast<int32_t>((dy - kYCentre) / kHalfTrack * kTiltRange);
  SaveCalibration();
  ApplyCalibration(GameState.calibrationX, GameState.calibrationY);
  return 0;
}

}  // namespace

void CreateCalibrationViews() {
  GameState.Calibration.calibrationBackground = ViewAddHidden("Images/accCalibrationBack.png", 0, 0);
  GameState.Calibration.calibrationOkButton =
      ViewAddHidden("Images/accCalibrationOK.png", 91, 478, CalibrationOkTouched);
  GameState.Calibration.calibrationOkOver = PressedPicture(ViewAddHidden("Images/accCalibrationOKOver.png", 91, 478));
  GameState.Calibration.xDot = ViewAddHidden("Images/accDot.png", 91, 413);
  GameState.Calibration.yDot = ViewAddHidden("Images/accDot.png", 267, 432);
  GameState.Calibration.xMarker = ViewAddHidden("Images/positionMarkerV.png", 146, 406);
  GameState.Calibration.yMarker = ViewAddHidden("Images/positionMarkerH.png", 260, 488);
}

void ShowCalibration() {
  SetPanelVisible(1);
  ViewSetxy(GameState.Calibration.xMarker,
            static_cast<int32_t>(GameState.calibrationX / kTiltRange * kHalfTrack + kXCentre + kMarkerShift), 406);
  ViewSetxy(GameState.Calibration.yMarker, 260,
            static_cast<int32_t>(GameState.calibrationY / kTiltRange * kHalfTrack + kYCentre + kMarkerShift));
}

void HideCalibration() {
  SetPanelVisible(0);
  if (GameState.controlMethod == ControlAccelerometer) {
    ApplyCalibration(GameState.calibrationX, GameState.calibrationY);
  }
}

void UpdateCalibrationDots() {
  const int32_t x = Clamp(static_cast<int32_t>(ReadSteerX()));
  const int32_t y = Clamp(static_cast<int32_t>(ReadSteerY()));
  ViewSetxy(GameState.Calibration.xDot, static_cast<int32_t>(x / kTiltRange * kHalfTrack + kXCentre), 413);
  ViewSetxy(GameState.Calibration.yDot, 267, static_cast<int32_t>(y / kTiltRange * kHalfTrack + kYCentre));
}
