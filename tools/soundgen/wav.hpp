// Writes 16-bit PCM stereo WAV files at the mixer's own rate, so nothing is converted on load.
#pragma once

#include <string>

#include "dsp.hpp"

namespace soundgen {

// Returns false (and leaves a message in `error`) when the file cannot be written.
bool writeWav(const std::string& path, const StereoBuffer& audio, std::string& error);

}  // namespace soundgen
