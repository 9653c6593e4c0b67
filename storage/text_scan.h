// Reading numbers and separators out of a line of a level or user file, like sscanf's %d, %c and
// literal text, but with a defined result for any run of digits: a value beyond the target's
// range is held at its limit instead of overflowing.
#pragma once

#include <cstdint>

// Walks one NUL-terminated line from its start; each step either matches and moves on, or fails
// and leaves the position where it was.
class TextScan {
 public:
  explicit TextScan(const char* text) : at_(text) {}
  // Matches the literal text exactly, byte for byte.
  bool Literal(const char* text);
  // Skips blanks, then reads an optionally signed decimal integer held within [low, high].
  bool Integer(int64_t low, int64_t high, int64_t* value);
  // The same for a 32-bit field.
  bool Integer32(int32_t* value);
  // Takes the very next character, blanks included (sscanf's %c); fails at the end of the text.
  bool Character(char* value);
  // True once the whole text has been matched.
  bool AtEnd() const { return *at_ == '\0'; }

 private:
  const char* at_;
};
