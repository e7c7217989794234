// The command-line tail that the start-up hands to WinMain.
#include "procedures.h"

const char* CommandTail(const char* line) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(line);
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') {
      // A trail byte may be a quote; never step over the NUL.
      if (IsDBCSLeadByte(*p) && p[1]) ++p;
      ++p;
    }
    if (*p == '"') ++p;
  } else {
    while (*p > ' ') ++p;  // bytes 128 to 255 belong to the name
  }
  while (*p && *p <= ' ') ++p;
  return reinterpret_cast<const char*>(p);
}
