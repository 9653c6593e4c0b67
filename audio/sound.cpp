#include "audio/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "core/data_path.h"
#include "core/fatal.h"

void AudioOpen() {
  if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) != 0) {
    printf("unable to open Audio! Reason: %s\n", SDL_GetError());
    ExitOnFatalError();
  }
  Mix_AllocateChannels(32);
}

void AudioClose() {
  Mix_HaltMusic();
  Mix_CloseAudio();
}

SoundId SoundAdd(const char* name) {
  GameState.SoundTable.NextId("sound");
  const std::string path = DataPath(name);
  Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
  if (chunk == nullptr) {
    // Tell a missing file from one that is there but cannot be read or decoded.
    const bool missing = access(path.c_str(), F_OK) != 0;
    printf("Could not load wav file %s: it is %s. Reason: %s\n", path.c_str(),
           missing ? "missing" : "unreadable", SDL_GetError());
    ExitOnFatalError();
  }
  return GameState.SoundTable.Add(chunk);
}

static Mix_Chunk* ChunkAt(SoundId id) { return GameState.SoundTable.At(id); }

void PlaySound(SoundId id) {
  if (Mix_Chunk* chunk = ChunkAt(id)) Mix_PlayChannelTimed(-1, chunk, 0, -1);
}

void PlayLoop(SoundId id) {
  if (Mix_Chunk* chunk = ChunkAt(id)) Mix_PlayChannelTimed(kMusicChannel, chunk, -1, -1);
}

void PauseLoop() { Mix_Pause(kMusicChannel); }
