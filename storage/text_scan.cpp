#include "storage/text_scan.h"

#include <cstring>

bool TextScan::Literal(const char* text) {
  const size_t length = strlen(text);
  if (strncmp(at_, text, length) != 0) return false;
  at_ += length;
  return true;
}

bool TextScan::Integer(int64_t low, int64_t high, int64_t* value) {
  const char* p = at_;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (*p < '0' || *p > '9') return false;
  // Once past 10^17 (far beyond any field's range) further digits leave the value where it is,
  // so it never overflows; the caller's limits then hold it.
  constexpr int64_t kCeiling = 100000000000000000LL;
  int64_t magnitude = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (magnitude < kCeiling) magnitude = magnitude * 10 + (*p - '0');
  }
  const int64_t signedValue = negative ? -magnitude : magnitude;
  *value = signedValue < low ? low : signedValue > high ? high : signedValue;
  at_ = p;
  return true;
}

bool TextScan::Integer32(int32_t* value) {
  int64_t wide = 0;
  if (!Integer(INT32_MIN, INT32_MAX, &wide)) return false;
  *value = static_cast<int32_t>(wide);
  return true;
}

bool TextScan::Character(char* value) {
  if (*at_ == '\0') return false;
  *value = *at_++;
  return true;
}
