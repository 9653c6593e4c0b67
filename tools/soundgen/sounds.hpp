// The game's six sounds. Each function is deterministic: the same call always gives the same
// samples, normalised to its target peak.
#pragma once

#include "dsp.hpp"

namespace soundgen {

// Peak levels: effects sit near full scale so they cut through the music, which peaks lower.
constexpr double kExplosionPeakDb = -1.0;
constexpr double kLaserPeakDb = -3.0;
constexpr double kButtonTapPeakDb = -3.0;
constexpr double kCalabriumPeakDb = -2.0;
constexpr double kMusicPeakDb = -10.0;

StereoBuffer makeExplosion();
StereoBuffer makeLaser();
StereoBuffer makeButtonTap();
StereoBuffer makeCalabrium();

// The two themes loop: the sample after the last one is the first one again.
StereoBuffer makeMenuTheme();
StereoBuffer makeGameTheme();

}  // namespace soundgen
