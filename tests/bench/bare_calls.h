// Shared bits of the bare-calls programs: the platform calls an install or an
// uninstall needs, in a straight line, with nothing checked or reported. They
// are the benchmark's floor for time, not programs to ship.
#pragma once

#include "win32.h"

inline void Join(char* out, const char* base, const char* rest) {
  while (*base) *out++ = *base++;
  while (*rest) *out++ = *rest++;
  *out = '\0';
}

inline unsigned TextEnd(const char* text) {
  unsigned n = 0;
  while (text[n]) ++n;
  return n;
}
