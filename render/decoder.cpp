#include "render/decoder.h"

#include <SDL.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/fatal.h"
#include "platform/platform.h"

namespace {

enum class State { kWaiting, kDecoding, kDecoded, kTaken };

struct Picture {
  std::string path;
  State state = State::kWaiting;
  SDL_Surface* surface = nullptr;  // null after decoding when it could not be decoded
};

std::mutex lock;
std::condition_variable decoded;
std::vector<Picture> pictures;
std::thread* worker = nullptr;
bool stopping = false;

void DecodeAll() {
  for (size_t i = 0;; ++i) {
    std::unique_lock<std::mutex> held(lock);
    if (stopping || i >= pictures.size()) return;
    if (pictures[i].state != State::kWaiting) continue;
    pictures[i].state = State::kDecoding;
    const std::string path = pictures[i].path;
    held.unlock();
    SDL_Surface* surface = PlatformLoadPicture(path.c_str());
    held.lock();
    pictures[i].surface = surface;
    pictures[i].state = State::kDecoded;
    decoded.notify_all();
  }
}

}  // namespace

void StartDecodingAhead(const char* const* folders, int count) {
  namespace fs = std::filesystem;
  StopDecodingAhead();
  if (!PlatformDecodesAhead()) return;  // each picture is decoded when it is asked for
  for (int f = 0; f < count; ++f) {
    std::vector<std::string> paths;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folders[f], error), end; !error && it != end; it.increment(error)) {
      if (it->path().extension() == ".png") paths.push_back(it->path().string());
    }
    std::sort(paths.begin(), paths.end());
    for (std::string& path : paths) pictures.push_back(Picture{std::move(path)});
  }
  stopping = false;
  worker = new std::thread(DecodeAll);
  SetFatalExitCleanup(StopDecodingAhead);
}

SDL_Surface* DecodePicture(const char* path) {
  {
    std::unique_lock<std::mutex> held(lock);
    for (Picture& picture : pictures) {
      if (picture.path != path || picture.state == State::kTaken) continue;
      if (picture.state == State::kWaiting) {
        picture.state = State::kTaken;  // decoded here instead
        break;
      }
      decoded.wait(held, [&picture] { return picture.state == State::kDecoded; });
      picture.state = State::kTaken;
      // A file the worker could not decode is tried again here, for the reason.
      if (picture.surface != nullptr) return picture.surface;
      break;
    }
  }
  return PlatformLoadPicture(path);
}

void StopDecodingAhead() {
  {
    std::lock_guard<std::mutex> held(lock);
    stopping = true;
  }
  if (worker != nullptr) {
    worker->join();
    delete worker;
    worker = nullptr;
  }
  for (Picture& picture : pictures) {
    if (picture.state == State::kDecoded && picture.surface != nullptr) SDL_FreeSurface(picture.surface);
  }
  pictures.clear();
  pictures.shrink_to_fit();
  SetFatalExitCleanup(nullptr);
}
