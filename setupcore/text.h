// Bounded byte-string helpers: the programs carry no C runtime, and every copy
// states the room it has.
#pragma once

#include <stddef.h>

inline size_t TextLength(const char* text) {
  size_t n = 0;
  while (text[n]) ++n;
  return n;
}

// Appends `text` at buffer[length]; refuses, leaving the buffer as it was, when
// the result and its NUL would not fit in `capacity` bytes.
inline bool AppendText(char* buffer, size_t capacity, size_t& length, const char* text) {
  size_t n = TextLength(text);
  if (length + n >= capacity) return false;
  for (size_t i = 0; i < n; ++i) buffer[length + i] = text[i];
  length += n;
  buffer[length] = '\0';
  return true;
}

// ASCII-only case-insensitive equality of two whole strings.
inline bool SameTextIgnoringCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char x = (unsigned char)*a, y = (unsigned char)*b;
    if (x >= 'A' && x <= 'Z') x = (unsigned char)(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = (unsigned char)(y - 'A' + 'a');
    if (x != y) return false;
    if (!x) return true;
  }
}
