// velmora-soundgen: synthesizes the game's sound effects and music into Sounds/ under the
// working directory (or the directory given as the only argument).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "sounds.hpp"
#include "wav.hpp"

namespace {

struct Job {
  const char* file;
  soundgen::StereoBuffer (*make)();
};

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : "Sounds";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "velmora-soundgen: cannot create %s: %s\n", dir.c_str(), ec.message().c_str());
    return 1;
  }
  const Job jobs[] = {
      {"explosion.wav", soundgen::makeExplosion}, {"laser.wav", soundgen::makeLaser},
      {"buttonTap.wav", soundgen::makeButtonTap}, {"calabrium.wav", soundgen::makeCalabrium},
      {"main.wav", soundgen::makeMenuTheme},      {"loop.wav", soundgen::makeGameTheme},
  };
  for (const Job& job : jobs) {
    const auto begin = std::chrono::steady_clock::now();
    const soundgen::StereoBuffer audio = job.make();
    if (std::getenv("SOUNDGEN_TIMING")) {
      const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
      std::fprintf(stderr, "%s: %.3f s\n", job.file, took.count());
    }
    const std::string path = dir + "/" + job.file;
    std::string error;
    if (!soundgen::writeWav(path, audio, error)) {
      std::fprintf(stderr, "velmora-soundgen: %s\n", error.c_str());
      return 1;
    }
  }
  return 0;
}
