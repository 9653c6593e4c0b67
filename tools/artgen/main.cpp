// artgen: the procedural world pictures of Vel Mora (rocks, explosion flip-book, space
// backgrounds, the laser bolt and the star). Runs in the Data directory of the run tree and
// writes everything under Images/. Every picture comes from fixed seeds, so the output is the same
// on every run.
#include "raster.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

int main() {
  using Clock = std::chrono::steady_clock;
  auto start = Clock::now();
  std::filesystem::create_directories("Images/shipExplosion");
  struct Family {
    const char* name;
    void (*make)();
  };
  const Family families[] = {{"sprites", artgen::makeSprites},
                             {"rocks", artgen::makeRocks},
                             {"explosion", artgen::makeExplosion},
                             {"space", artgen::makeSpace}};
  for (const Family& f : families) {
    auto t0 = Clock::now();
    f.make();
    std::printf("artgen: %-9s %5.0f ms\n", f.name,
                std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  std::printf("artgen: world pictures written in %.0f ms\n",
              std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  return 0;
}
