// The fixed-capacity tables the game's objects live in (views, image entries, text views, touch
// areas, fonts, sounds): ids are handed out in order from 0 and never reused, and an id is also
// the object's place in drawing and touch order.
#pragma once

#include <cstdint>

#include "core/fatal.h"

template <typename T, int Capacity>
struct IdTable {
  int32_t count;
  T* entries[Capacity];

  // The id the next Add hands out; a full table ends start-up with one line naming it, e.g.
  // "Cannot add to the view table: it holds at most 500 entries."
  int32_t NextId(const char* name) const {
    if (count >= Capacity) FatalTableFull(name, Capacity);
    return count;
  }
  // Stores the record under the next id (after NextId) and returns that id.
  int32_t Add(T* entry) {
    entries[count] = entry;
    return count++;
  }
  // The record with this id, or null for an id that names none.
  T* At(int32_t id) const { return id >= 0 && id < count ? entries[id] : nullptr; }
  // Hands every record to free, then empties the table.
  template <typename Free>
  void Clear(Free free) {
    for (int32_t id = 0; id < count; ++id) {
      free(entries[id]);
      entries[id] = nullptr;
    }
    count = 0;
  }
};
