#include "wav.hpp"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace soundgen {
namespace {

void putU16(std::vector<unsigned char>& out, std::uint16_t v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>(v >> 8));
}

void putU32(std::vector<unsigned char>& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>((v >> shift) & 0xFF));
}

void putTag(std::vector<unsigned char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

std::int16_t toSample(float x) {
  const double scaled = std::lround(std::clamp(static_cast<double>(x), -1.0, 1.0) * 32767.0);
  return static_cast<std::int16_t>(scaled);
}

}  // namespace

bool writeWav(const std::string& path, const StereoBuffer& audio, std::string& error) {
  const std::uint16_t channels = 2;
  const std::uint16_t bitsPerSample = 16;
  const std::uint16_t blockAlign = channels * bitsPerSample / 8;
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(audio.frames() * blockAlign);

  std::vector<unsigned char> bytes;
  bytes.reserve(44 + dataBytes);
  putTag(bytes, "RIFF");
  putU32(bytes, 36 + dataBytes);
  putTag(bytes, "WAVE");
  putTag(bytes, "fmt ");
  putU32(bytes, 16);
  putU16(bytes, 1);  // PCM
  putU16(bytes, channels);
  putU32(bytes, kSampleRate);
  putU32(bytes, kSampleRate * blockAlign);
  putU16(bytes, blockAlign);
  putU16(bytes, bitsPerSample);
  putTag(bytes, "data");
  putU32(bytes, dataBytes);
  for (std::size_t i = 0; i < audio.frames(); ++i) {
    putU16(bytes, static_cast<std::uint16_t>(toSample(audio.left[i])));
    putU16(bytes, static_cast<std::uint16_t>(toSample(audio.right[i])));
  }

  // A new file takes the old one's name only when whole: a game playing the old file from a mapping
  // keeps it intact (cutting it short under the mapping would crash that game).
  const std::string part = path + ".part";
  std::ofstream file(part, std::ios::binary | std::ios::trunc);
  if (!file) {
    error = "cannot open " + part + " for writing";
    return false;
  }
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file || std::rename(part.c_str(), path.c_str()) != 0) {
    std::remove(part.c_str());
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace soundgen
