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
  std::string file;  // as the platform stores it (PlatformPictureFile)
  uintmax_t bytes = 0;
  State state = State::kWaiting;
  SDL_Surface* surface = nullptr;  // null after decoding when it could not be decoded
};

std::mutex lock;
std::condition_variable decoded;
std::vector<Picture> pictures;
std::thread* worker = nullptr;
bool stopping = false;

// Where no worker thread may decode (the browser), the pictures are decoded one at a time in the
// game's waits instead, as their files arrive, in the order they arrive.
bool inWaits = false;
std::vector<std::string> folders;
// What the decoded pictures nobody has taken yet hold, at most: a visit's pictures all decoded at
// once would be about 50 MiB.
constexpr size_t kMostHeldAhead = 24u << 20;
size_t heldAhead = 0;
// What decoding has taken so far, for what the next picture may take.
double decodeMs = 0.0, decodedFileBytes = 0.0;

size_t SurfaceBytes(const SDL_Surface* surface) {
  return surface == nullptr ? 0 : static_cast<size_t>(surface->pitch) * static_cast<size_t>(surface->h);
}

// Adds the folder's pictures not listed yet: in name order on the desktop, where they are all
// there at once; in the order the file system lists them in the browser, the order they arrived.
void ListPictures(const std::string& folder, bool byName) {
  namespace fs = std::filesystem;
  std::vector<Picture> found;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const fs::path& path = it->path();
    if (path.extension() != ".png" && path.extension() != ".jpg") continue;
    std::string file = path.string();
    if (std::any_of(pictures.begin(), pictures.end(), [&file](const Picture& p) { return p.file == file; })) continue;
    std::error_code sizeError;
    const uintmax_t bytes = it->file_size(sizeError);
    found.push_back(Picture{std::move(file), sizeError ? 0 : bytes});
  }
  if (byName) std::sort(found.begin(), found.end(), [](const Picture& a, const Picture& b) { return a.file < b.file; });
  for (Picture& picture : found) pictures.push_back(std::move(picture));
}

void DecodeAll() {
  for (size_t i = 0;; ++i) {
    std::unique_lock<std::mutex> held(lock);
    if (stopping || i >= pictures.size()) return;
    if (pictures[i].state != State::kWaiting) continue;
    pictures[i].state = State::kDecoding;
    const std::string file = pictures[i].file;
    held.unlock();
    SDL_Surface* surface = PlatformLoadPicture(file.c_str());
    held.lock();
    pictures[i].surface = surface;
    pictures[i].state = State::kDecoded;
    decoded.notify_all();
  }
}

// One wait's share: the pictures that have arrived, as many as the wait has room for.
bool DecodeInWaits(uint32_t budgetMs) {
  if (!inWaits) return false;
  if (PlatformTakeArrivedFiles()) {
    for (const std::string& folder : folders) ListPictures(folder, false);
  }
  const Uint32 started = SDL_GetTicks();
  for (Picture& picture : pictures) {
    if (picture.state != State::kWaiting) continue;
    const double spent = SDL_GetTicks() - started;
    const double expected = decodedFileBytes > 0.0 ? decodeMs / decodedFileBytes * picture.bytes : 0.0;
    if (heldAhead >= kMostHeldAhead || spent + expected > budgetMs) break;
    const Uint32 began = SDL_GetTicks();
    picture.surface = PlatformLoadPicture(picture.file.c_str());
    picture.state = State::kDecoded;
    heldAhead += SurfaceBytes(picture.surface);
    decodeMs += SDL_GetTicks() - began;
    decodedFileBytes += static_cast<double>(picture.bytes);
  }
  return true;
}

}  // namespace

void StartDecodingAhead(const char* const* folderPaths, int count) {
  StopDecodingAhead();
  folders.assign(folderPaths, folderPaths + count);
  inWaits = !PlatformDecodesAhead();
  for (const std::string& folder : folders) ListPictures(folder, !inWaits);
  stopping = false;
  if (inWaits) {
    PlatformAddIdleWork(DecodeInWaits);
    return;
  }
  worker = new std::thread(DecodeAll);
  SetFatalExitCleanup(StopDecodingAhead);
}

SDL_Surface* DecodePicture(const char* path) {
  const std::string file = PlatformPictureFile(path);
  {
    std::unique_lock<std::mutex> held(lock);
    for (Picture& picture : pictures) {
      if (picture.file != file || picture.state == State::kTaken) continue;
      if (picture.state == State::kWaiting) {
        picture.state = State::kTaken;  // decoded here instead
        break;
      }
      decoded.wait(held, [&picture] { return picture.state == State::kDecoded; });
      picture.state = State::kTaken;
      heldAhead -= std::min(heldAhead, SurfaceBytes(picture.surface));
      // A file that could not be decoded ahead is tried again here, for the reason.
      if (picture.surface != nullptr) return picture.surface;
      break;
    }
  }
  return PlatformLoadPicture(file.c_str());
}

bool DecodingAheadInWaits() { return inWaits; }

SDL_Surface* TakeDecodedAhead(int leastPixels, std::string* file) {
  for (Picture& picture : pictures) {
    if (picture.state != State::kDecoded || picture.surface == nullptr) continue;
    if (picture.surface->w * picture.surface->h < leastPixels) continue;
    picture.state = State::kTaken;
    heldAhead -= std::min(heldAhead, SurfaceBytes(picture.surface));
    *file = picture.file;
    return picture.surface;
  }
  return nullptr;
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
  inWaits = false;
  heldAhead = 0;
  SetFatalExitCleanup(nullptr);
}
